// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/BackgroundImage.h"

#include "TestSupport.h"
#include "components/Error.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

using namespace quorvale;
using namespace quorvale::test;

namespace {

QByteArray encoded(const QImage& picture, const char* format, int quality = 90)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, format, quality)) << format;
    return bytes;
}

QImage filled(int width, int height, QImage::Format format, QColor colour)
{
    QImage picture(width, height, format);
    picture.fill(colour);
    return picture;
}

struct Case
{
    const char* name;
    QByteArray bytes;
    QSize size;         ///< of bg.jpg; invalid: the file is its own bg.jpg
    QColor corner = {}; ///< the colour of bg.jpg's first pixel, when valid
};

class Backgrounds : public ::testing::TestWithParam<Case>
{
};

TEST_P(Backgrounds, BecomeAJpegOfAtMost2400Pixels)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("picture")), GetParam().bytes);
    ASSERT_EQ(backgroundImageProblem(path), QString());
    const QByteArray jpeg = backgroundJpeg(path);
    if (!GetParam().size.isValid()) {
        EXPECT_EQ(jpeg, GetParam().bytes);
        return;
    }
    const QImage written = QImage::fromData(jpeg, "JPEG");
    EXPECT_EQ(written.size(), GetParam().size);
    if (GetParam().corner.isValid()) {
        EXPECT_LT(std::abs(written.pixelColor(0, 0).green() - GetParam().corner.green()), 8);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Site, Backgrounds,
    ::testing::Values(
        Case{"small_jpeg_as_it_is", encoded(filled(2400, 10, QImage::Format_RGB32, Qt::blue), "JPEG"), {}},
        Case{"wide_jpeg_scaled", encoded(filled(3000, 30, QImage::Format_RGB32, Qt::blue), "JPEG"), {2400, 24}},
        Case{"heavy_jpeg_encoded_anew", jpegBytes(QByteArray(65000, 'x')) + QByteArray(1100000, '\0'),
             {1, 1}},
        Case{"png", encoded(filled(40, 20, QImage::Format_RGB32, Qt::green), "PNG"), {40, 20}, Qt::green},
        Case{"transparent_png_on_black", encoded(filled(8, 8, QImage::Format_ARGB32, Qt::transparent), "PNG"),
             {8, 8}, Qt::black},
        Case{"webp", encoded(filled(30, 10, QImage::Format_RGB32, Qt::green), "WEBP", 100), {30, 10}, Qt::green}),
    caseName);

TEST(Backgrounds, ThatAreNoPicturesAreRefusedWithTheReason)
{
    QTemporaryDir dir;
    EXPECT_EQ(backgroundImageProblem(writeFile(dir.filePath(QStringLiteral("a.jpg")), "text")),
              QStringLiteral("it is not a picture in a format Quorvale reads (JPEG, PNG or WebP)"));
    EXPECT_EQ(backgroundImageProblem(dir.path()), QStringLiteral("it is a folder, not a file"));
    EXPECT_THROW(backgroundJpeg(writeFile(dir.filePath(QStringLiteral("b.png")), "\x89PNG\r\n\x1a\n broken")), Error);
}

} // namespace

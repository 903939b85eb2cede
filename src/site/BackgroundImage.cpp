// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/BackgroundImage.h"

#include "components/Error.h"
#include "components/TextFile.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace quorvale {

namespace {

QString quoted(const QString& path)
{
    return u'"' + path + u'"';
}

} // namespace

QStringList backgroundImagePatterns()
{
    return {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.png"), QStringLiteral("*.webp")};
}

QString backgroundImageProblem(const QString& path)
{
    if (const QString problem = notARegularFile(path); !problem.isEmpty())
        return problem;
    QImageReader reader(path);
    if (!reader.canRead())
        return reader.error() == QImageReader::FileNotFoundError
                   ? reader.errorString()
                   : QStringLiteral("it is not a picture in a format Quorvale reads (JPEG, PNG or WebP)");
    const QSize size = reader.size();
    if (size.isValid() && (size.isEmpty() || qint64(size.width()) * size.height() > 200'000'000))
        return QStringLiteral("its picture of %1 × %2 pixels is too large").arg(size.width()).arg(size.height());
    return {};
}

QByteArray backgroundJpeg(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    const QSize size = reader.size();
    if ((format == "jpeg" || format == "jpg") && size.isValid() && size.width() <= MaxBackgroundWidth) {
        QByteArray bytes = readFileBytes(path);
        if (bytes.size() <= MaxBackgroundBytesAsIs)
            return bytes;
    }
    if (size.isValid() && size.width() > MaxBackgroundWidth)
        reader.setScaledSize(size.scaled(MaxBackgroundWidth, size.height(), Qt::KeepAspectRatio));
    QImage picture = reader.read();
    if (picture.isNull())
        throw Error(QStringLiteral("The background ") + quoted(path) +
                    QStringLiteral(" cannot be read as a picture: ") + reader.errorString() + u'.');
    // The reader scales before turning the picture upright: a portrait photo may still be too wide.
    if (picture.width() > MaxBackgroundWidth)
        picture = picture.scaledToWidth(MaxBackgroundWidth, Qt::SmoothTransformation);
    if (picture.hasAlphaChannel()) {
        QImage opaque(picture.size(), QImage::Format_RGB32);
        opaque.fill(Qt::black);
        QPainter(&opaque).drawImage(0, 0, picture);
        picture = opaque;
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(82);
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(true);
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888)))
        throw Error(QStringLiteral("The background ") + quoted(path) + QStringLiteral(" could not be made a JPEG: ") +
                    writer.errorString() + u'.');
    return jpeg;
}

} // namespace quorvale

#pragma once

#include "gui/Desktop.h"

#include <QColor>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace quorvale::test {

struct ShownMessage
{
    QString text;
    QString title;
};

/// A desktop that records messages, opened addresses and modal windows
/// instead of showing or launching anything.
class FakeDesktop : public Desktop
{
public:
    MessageAnswer showMessage(QWidget*, const QString& text, const QString& title, MessageButtons buttons) override
    {
        messages.push_back({text, title});
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    void openUrl(const QUrl& url) override { urls.push_back(url); }
    /// Hands the dialog to `onDialog` while it would be shown, then returns.
    void execDialog(QDialog& dialog) override
    {
        ++dialogs;
        if (onDialog)
            onDialog(dialog);
    }

    std::vector<ShownMessage> messages;
    std::vector<QUrl> urls;
    int dialogs = 0;
    std::function<void(QDialog&)> onDialog;
};

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

/// A real JPEG picture of one colour.
inline void writePicture(const QString& path, const QColor& colour)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "JPG")) << path.toStdString();
}

inline QColor textColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

} // namespace quorvale::test

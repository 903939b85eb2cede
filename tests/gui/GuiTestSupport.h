// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestSupport.h"
#include "gui/Desktop.h"

#include <QDialog>
#include <QLabel>
#include <QUrl>
#include <QWidget>
#include <vector>

namespace quorvale::test {

/// A desktop that records messages and opened addresses and shows no modal
/// window, instead of showing or launching anything.
class FakeDesktop : public Desktop
{
public:
    MessageAnswer showMessage(QWidget*, const QString& text, const QString& title, MessageButtons buttons) override
    {
        messages.push_back(title + u": " + text);
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    bool openUrl(const QUrl& url) override
    {
        urls.push_back(url);
        return true;
    }
    void execDialog(QDialog&) override { ++dialogs; }
    QString askForPath(QWidget*, MainWindowHost::PathQuestion, const QString&) override
    {
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }

    QStringList messages; ///< "title: text"
    std::vector<QUrl> urls;
    int dialogs = 0;
    QStringList paths; ///< answers to askForPath; cancelled when none is left
};

template <typename T> T* child(const QWidget& window, const char* name)
{
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

inline QColor textColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

} // namespace quorvale::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestSupport.h"
#include "ui/MainWindowHost.h"
#include "ui/UiHost.h"

#include <deque>
#include <functional>
#include <vector>

namespace quorvale::test {

/// One message box a controller asked for.
struct ShownMessage
{
    QString text;
    QString title;
    MessageButtons buttons;
};

/// Records what a controller asks of the desktop and of its window, and
/// answers for the user.
class FakeHosts : public UiHost, public MainWindowHost
{
public:
    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons) override
    {
        messages.push_back({text, title, buttons});
        if (onMessage)
            onMessage();
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        const MessageAnswer unanswered = buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Discard;
        const MessageAnswer answer = answers.empty() ? unanswered : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
    bool openFolder(const QString& path) override
    {
        folders << path;
        return desktopOpens;
    }
    bool openAddress(const QString& address) override
    {
        folders << address;
        return desktopOpens;
    }
    QString chooseFileToOpen(const QString&, const QString&, const QString&) override { return chosenFile; }
    /// Decodes only files that start like a JPEG picture.
    bool showPicture(const QString& path) override
    {
        pictures << path;
        return readFile(path).startsWith("\xff\xd8");
    }
    void showTornelle(const SlotPaths& articles) override { tornelle.push_back(articles); }
    void showInstructions() override { ++instructions; }
    void closeWindow() override { ++closed; }
    void pause(int count) override { pauses.push_back(count); }
    QString askForPath(PathQuestion question, const QString& start) override
    {
        asked.push_back({question, start});
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    quint64 newSeed() override { return 4711; }
    bool versionsProgress(int, int) override { return !cancelVersions; }
    void showVersionsReport(const QString& summary, const VersionsReport& report) override
    {
        messages.push_back({summary, QStringLiteral("Versions"), MessageButtons::Ok});
        reports.push_back(report);
    }

    QStringList titles() const
    {
        QStringList list;
        for (const ShownMessage& message : messages)
            list << message.title;
        return list;
    }

    std::vector<ShownMessage> messages;
    std::deque<MessageAnswer> answers; ///< answers to Yes/No questions, Yes when empty
    std::function<void()> onMessage;   ///< runs while a message box would be open
    QStringList folders;               ///< folders and addresses opened
    bool desktopOpens = true;          ///< whether the desktop can open them
    QString chosenFile;                ///< what the file dialog answers
    QStringList pictures;
    std::vector<SlotPaths> tornelle;
    int instructions = 0;
    int closed = 0;
    std::vector<int> pauses;
    QStringList paths; ///< answers to askForPath, empty (cancelled) when none is left
    std::vector<std::pair<PathQuestion, QString>> asked;
    bool cancelVersions = false; ///< Cancel is pressed in the progress of a build of versions
    std::vector<VersionsReport> reports;
};

} // namespace quorvale::test

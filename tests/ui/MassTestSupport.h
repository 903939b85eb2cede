#pragma once

#include "ui/MassHost.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// Readable failure messages for Qt's texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}

namespace quorvale::test {

/// One message box the controller asked for.
struct ShownMessage
{
    QString text;
    QString title;
    MessageButtons buttons;
};

/// Records what the main window controller asks of its view. Every call is
/// also appended to `log` so that tests can check the order of events.
class FakeMassHost : public MassHost
{
public:
    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons) override
    {
        messages.push_back({text, title, buttons});
        log << QStringLiteral("message:") + title;
        if (onMessage)
            onMessage();
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers.empty())
            return MessageAnswer::Yes;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void openFolder(const QString& path) override
    {
        folders << path;
        log << QStringLiteral("folder:") + path;
    }
    void openAddress(const QString& address) override { addresses << address; }
    /// Decodes only files that start like a JPEG picture.
    bool showPicture(const QString& path) override
    {
        pictures << path;
        QFile file(path);
        return file.open(QIODevice::ReadOnly) && file.read(2) == QByteArray("\xff\xd8", 2);
    }
    void showTornelle(const SlotPaths& articles) override { tornelle.push_back(articles); }
    void showInstructions() override { ++instructions; }
    void closeWindow() override { ++closed; }
    void copyProgress(qint64 done, qint64 total) override
    {
        Q_UNUSED(total);
        log << QStringLiteral("progress:") + QString::number(done);
    }
    void copyEnded() override { log << QStringLiteral("copyEnded"); }
    void pause(int count) override { pauses.push_back(count); }

    std::vector<ShownMessage> messages;
    std::deque<MessageAnswer> answers; ///< answers to Yes/No questions, Yes when empty
    std::function<void()> onMessage;   ///< runs while a message box would be open
    QStringList folders;
    QStringList addresses;
    QStringList pictures;
    std::vector<SlotPaths> tornelle;
    int instructions = 0;
    int closed = 0;
    std::vector<int> pauses;
    QStringList log;
};

/// Bytes that FakeMassHost (and any JPEG decoder) takes for the start of a picture.
inline QByteArray jpegBytes(const QByteArray& tag)
{
    return QByteArray("\xff\xd8\xff\xe0", 4) + tag;
}

/// Writes @p bytes to @p path, making the folders above it.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace quorvale::test

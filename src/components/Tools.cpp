#include "components/Tools.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

namespace quorvale {

bool FolderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QStringList SplitIntoList(const QString& text, const QString& separator)
{
    if (separator.isEmpty())
        return text.isEmpty() ? QStringList() : QStringList{text};
    return text.split(separator, Qt::SkipEmptyParts, Qt::CaseSensitive);
}

void Pause(int count)
{
    const int ms = qBound(0, count, 4) * 10;
    QDeadlineTimer deadline(ms);
    if (QCoreApplication::instance() == nullptr || QThread::currentThread() != QCoreApplication::instance()->thread()) {
        QThread::msleep(ms);
        return;
    }
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, int(qMax<qint64>(1, deadline.remainingTime())));
        QThread::msleep(1);
    }
}

} // namespace quorvale

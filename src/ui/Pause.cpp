// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Pause.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace quorvale {

void pause(int count)
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

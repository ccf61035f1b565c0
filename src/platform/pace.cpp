#include "pace.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace tallyo {

void EventPace::pause(int ms)
{
    const int wait = int(ms * factor_);
    if (wait <= 0) {
        letEventsRun();
        return;
    }
    QDeadlineTimer deadline(wait);
    while (!deadline.hasExpired()) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents,
                                            int(qMax<qint64>(1, deadline.remainingTime())));
        QThread::msleep(qMin<qint64>(10, qMax<qint64>(0, deadline.remainingTime())));
    }
}

void EventPace::letEventsRun()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

}

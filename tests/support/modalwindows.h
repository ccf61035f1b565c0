#pragma once
// Acting on a modal window from a window test. A modal window runs its own
// event loop, so the test hands over what to do with it before the call that
// opens it. Nothing may keep such a window open and so hang the test until
// the runner's timeout: a window that is not shown within a few seconds, an
// action whose assertion failed (which returns from it before it closes the
// window), and a window still open a few seconds after its action (a missed
// key) all fail the test and close whatever modal window is open.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace tallyo::test {

// Runs `action` once on the modal window of type Window as soon as it is
// shown and active, and `ready` says it is (a window that fills itself after
// it shows: waiting inside the action could stop it half way); the action is
// expected to close it.
template <typename Window>
void whenShown(std::function<void(Window&)> action, std::function<bool(Window&)> ready = {},
               int patienceMs = 5000)
{
    auto* watch = new QTimer(qApp);
    auto deadline = std::make_shared<QDeadlineTimer>(patienceMs);
    auto acted = std::make_shared<QPointer<Window>>();
    auto actedOnce = std::make_shared<bool>(false);
    const auto giveUp = [watch](QWidget* left, const char* why) {
        watch->stop();
        watch->deleteLater();
        if (!QTest::currentTestFailed())
            QTest::qFail(why, __FILE__, __LINE__);
        if (auto* dialog = qobject_cast<QDialog*>(left))
            dialog->reject();
        else if (left)
            left->close();
    };
    QObject::connect(watch, &QTimer::timeout, qApp, [=] {
        if (*actedOnce) {
            // Waiting for the window to go after its action.
            if (acted->isNull() || !(*acted)->isVisible()) {
                watch->stop();
                watch->deleteLater();
            } else if (deadline->hasExpired()) {
                giveUp(acted->data(), "the window stayed open after its action");
            }
            return;
        }
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible() || !window->isActiveWindow() || (ready && !ready(*window))) {
            if (deadline->hasExpired())
                giveUp(QApplication::activeModalWidget(), "the expected modal window was not shown");
            return;
        }
        *actedOnce = true;
        *acted = window;
        action(*window);
        if (QTest::currentTestFailed() && !acted->isNull() && (*acted)->isVisible()) {
            giveUp(acted->data(), "an assertion failed while the window was open");
            return;
        }
        *deadline = QDeadlineTimer(patienceMs);
    });
    watch->start(10);
}

}

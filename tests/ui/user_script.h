#pragma once
// Plays the user while the program runs its own event loops: each step waits until its
// condition holds and then acts. Polling runs on fresh single-shot timers, so it goes on inside
// whatever loop is current, including a message box's that the previous step opened.
#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace kalvora::testing {

class UserScript {
public:
    struct Step {
        QString what;
        std::function<bool()> ready;
        std::function<void()> act;
    };

    void then(QString what, std::function<bool()> ready, std::function<void()> act) {
        steps_.push_back({std::move(what), std::move(ready), std::move(act)});
    }

    // Starts polling. When a step is still waiting after `timeoutMs`, or a check inside a step
    // failed, the script stops and calls `onFailure` (which should end the loop the test runs).
    void start(int timeoutMs, std::function<void()> onFailure) {
        timeoutMs_ = timeoutMs;
        onFailure_ = std::move(onFailure);
        clock_.start();
        schedule();
    }

    bool done() const { return steps_.empty() && !failed_; }
    bool failed() const { return failed_; }
    const QString& waitingFor() const { return waiting_; }

private:
    // The context object cancels pending polls when the script goes away with its test.
    void schedule() { QTimer::singleShot(15, &context_, [this] { poll(); }); }

    void poll() {
        if (failed_ || steps_.empty()) return;
        Step& step = steps_.front();
        waiting_ = step.what;
        if (!step.ready()) {
            if (clock_.elapsed() > timeoutMs_) {
                failed_ = true;
                onFailure_();
                return;
            }
            schedule();
            return;
        }
        auto act = std::move(step.act);
        steps_.pop_front();
        // The next poll is queued before acting: the action may open a window and block.
        schedule();
        act();
        if (QTest::currentTestFailed() && !failed_) {
            failed_ = true;
            waiting_ += QStringLiteral(" (a check failed)");
            onFailure_();
        }
    }

    QObject context_;
    std::deque<Step> steps_;
    QString waiting_;
    QElapsedTimer clock_;
    int timeoutMs_ = 0;
    bool failed_ = false;
    std::function<void()> onFailure_;
};

// The modal window on top, when it has the object name.
inline QWidget* modalNamed(const QString& name) {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || w->objectName() != name) return nullptr;
    return w;
}

// Types text as key presses, accented letters included (QTest::keyClicks takes ASCII only).
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Runs `action` from the event loop, after the current step has returned.
inline void later(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

}  // namespace kalvora::testing

#pragma once

// The start-up benchmark's probe: when a window is first painted, it prints
// the monotonic clock and ends the program. The bench builds it into both the
// game and the bare window it compares against, so they are timed alike; the
// shipped program never includes it.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace morvane::bench {

class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued, so the time is taken once this paint is on screen.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [] {
                    timespec now{};
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("first-paint-ns %lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool seen_ = false;
};

inline void reportFirstPaint(QWidget* window)
{
    window->installEventFilter(new FirstPaintProbe(window));
}

} // namespace morvane::bench

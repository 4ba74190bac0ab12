#pragma once

// The benchmarks' probe, built into a second copy of the game (probe_main.cpp,
// which starts it as the program does) and into the floor programs, so that
// all are measured alike; the shipped program never includes it.
// MORVANE_PROBE picks what it measures, and it prints "key value" lines on
// standard output:
//
//   startup  first-paint-ns: the monotonic clock at the first window's first paint
//   enter    enter-ns: from Return on the first window to the next window's first paint
//   memory   rss-start-kib, rss-drag-kib: resident memory once the play window is
//            up, and again after 1,000 drag steps on one of its squares
//   idle     cpu-ms, wakeups: CPU time and voluntary context switches of the
//            idle play window over 10 seconds
//
// The play window is the second window where the first one is a splash
// (opened with Return), else the first.

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace morvane::bench {

inline long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

inline long residentKiB()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

inline void report(const char* key, long long value)
{
    std::printf("%s %lld\n", key, value);
    std::fflush(stdout);
}

class Probe : public QObject {
public:
    Probe(QWidget* first, bool firstIsSplash) : first_(first), firstIsSplash_(firstIsSplash)
    {
        const char* mode = std::getenv("MORVANE_PROBE");
        mode_ = mode ? mode : "startup";
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (window == first_ && !firstPainted_) {
            firstPainted_ = true;
            QMetaObject::invokeMethod(this, [this] { onFirstPaint(); }, Qt::QueuedConnection);
        } else if (window != first_ && !playPainted_ && firstPainted_) {
            playPainted_ = true;
            QMetaObject::invokeMethod(this, [this, window] { onPlayWindow(window); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void onFirstPaint()
    {
        if (mode_ == "startup") {
            report("first-paint-ns", monotonicNs());
            QApplication::exit(0);
        } else if (firstIsSplash_) {
            enterPressed_ = monotonicNs();
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : first_;
            QTest::keyClick(target, Qt::Key_Return);
        } else {
            playPainted_ = true;
            onPlayWindow(first_);
        }
    }

    void onPlayWindow(QWidget* window)
    {
        if (mode_ == "enter") {
            report("enter-ns", monotonicNs() - enterPressed_);
            QApplication::exit(0);
        } else if (mode_ == "memory") {
            report("rss-start-kib", residentKiB());
            drag(window);
            report("rss-drag-kib", residentKiB());
            QApplication::exit(0);
        } else if (mode_ == "idle") {
            rusage before{};
            getrusage(RUSAGE_SELF, &before);
            QTimer::singleShot(10'000, this, [before] {
                rusage after{};
                getrusage(RUSAGE_SELF, &after);
                const auto ms = [](const rusage& u) {
                    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000LL
                           + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
                };
                report("cpu-ms", ms(after) - ms(before));
                report("wakeups", after.ru_nvcsw - before.ru_nvcsw);
                QApplication::exit(0);
            });
        }
    }

    // 1,000 drag steps on the first square-like child: a piece of the game, or
    // one of the floor window's squares.
    static void drag(QWidget* window)
    {
        QWidget* square = nullptr;
        for (QWidget* child : window->findChildren<QWidget*>()) {
            const char* name = child->metaObject()->className();
            if (std::strstr(name, "Square")) {
                square = child;
                break;
            }
        }
        if (!square)
            return;
        QTest::mousePress(square, Qt::LeftButton, {}, QPoint(8, 8));
        for (int step = 0; step < 1000; ++step) {
            QTest::mouseMove(square, QPoint(step % 2 ? 5 : 11, step % 2 ? 6 : 10));
            QCoreApplication::processEvents();
        }
        QTest::mouseRelease(square, Qt::LeftButton, {}, QPoint(8, 8));
        QCoreApplication::processEvents();
    }

    QWidget* first_;
    bool firstIsSplash_;
    std::string mode_;
    bool firstPainted_ = false;
    bool playPainted_ = false;
    long long enterPressed_ = 0;
};

inline void installProbe(QWidget* first, bool firstIsSplash)
{
    new Probe(first, firstIsSplash);
}

} // namespace morvane::bench

#include "bench/startup/first_paint.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

namespace zarnel::bench {
namespace {

constexpr long kNanosecondsPerSecond = 1'000'000'000;

long long monotonicNanoseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

std::string residentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) return std::to_string(std::atol(line.c_str() + 6));
    }
    return "0";
}

// Waits for the first paint of a window, lets that paint pass finish, then reports and ends.
class FirstPaintWatch : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint) {
            const auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window()->isVisible()) {
                seen_ = true;
                QTimer::singleShot(0, [] {
                    std::printf("first_paint_ns=%lld rss_kb=%s\n", monotonicNanoseconds(),
                                residentKilobytes().c_str());
                    std::fflush(stdout);
                    std::_Exit(0);
                });
            }
        }
        return false;
    }

  private:
    bool seen_ = false;
};

}  // namespace

bool idleRequested(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--idle") == 0) return true;
    }
    return false;
}

void reportFirstPaint(QApplication& app, int argc, char* argv[]) {
    if (!idleRequested(argc, argv)) app.installEventFilter(new FirstPaintWatch(&app));
}

}  // namespace zarnel::bench

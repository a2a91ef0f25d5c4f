// What both start-up programs report: the moment their window has first been painted, on the
// clock the measuring script reads (CLOCK_MONOTONIC), and the memory they hold then.
#pragma once

class QApplication;

namespace zarnel::bench {

// Unless the program runs with "--idle", prints "first_paint_ns=N rss_kb=N" once the first
// paint of a top-level window is done, and ends the process there.
void reportFirstPaint(QApplication& app, int argc, char* argv[]);

// The arguments after the program name and an optional "--idle".
bool idleRequested(int argc, char* argv[]);

}  // namespace zarnel::bench

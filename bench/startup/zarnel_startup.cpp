// The real window over a machine tree ("/" unless a fixture root is given), reporting its
// first paint: zarnel_startup [ROOT] [--idle].
#include <QApplication>
#include <cstring>

#include "bench/startup/first_paint.h"
#include "ui/qt/display_connection.h"
#include "ui/qt/machine_window.h"

int main(int argc, char* argv[]) {
    // Connected as the program connects, so that the display path measured is the window's own.
    const auto app = zarnel::qt::connectToDisplay(argc, argv);
    zarnel::bench::reportFirstPaint(*app, argc, argv);
    const char* root = argc > 1 && std::strcmp(argv[1], "--idle") != 0 ? argv[1] : "/";
    return zarnel::qt::runMachineWindow(root);
}

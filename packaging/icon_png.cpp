// zarnel-icon-png: writes the window's 16-pixel icon as a PNG for the hicolor theme, so the
// menu shows at that size the same hand-drawn pixels as the title bar.
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "ui/qt/zarnel_icon.xpm"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: zarnel-icon-png OUTPUT.png\n", stderr);
        return EXIT_FAILURE;
    }
    const QImage icon(zarnel_icon_xpm);
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "zarnel-icon-png: cannot write %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

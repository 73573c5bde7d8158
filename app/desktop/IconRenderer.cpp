// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdio>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

// Renders the program's SVG icon into a PNG of the size given, for desktops that want pixels:
// icon-renderer SVG SIZE PNG.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: icon-renderer SVG SIZE PNG\n");
        return 2;
    }
    const int size = QByteArray(argv[2]).toInt();
    const QPixmap pixmap = QIcon(QString::fromLocal8Bit(argv[1])).pixmap(size, size);
    if (pixmap.width() != size || !pixmap.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "icon-renderer: cannot render %s at %d pixels\n", argv[1], size);
        return 1;
    }
    return 0;
}

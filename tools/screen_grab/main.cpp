// Saves a rectangle of the X screen as a PNG file, for the pictures of the user manuals
// (scripts/manual-shots.sh): screen-grab FILE X Y WIDTH HEIGHT. It reads the screen through
// Qt's xcb platform, so it sees every window of the display, menus included.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 6) {
        std::fprintf(stderr, "usage: screen-grab FILE X Y WIDTH HEIGHT\n");
        return 2;
    }
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        char* end = nullptr;
        numbers[i] = static_cast<int>(std::strtol(argv[i + 2], &end, 10));
        if (end == argv[i + 2] || *end != '\0' || (i >= 2 && numbers[i] <= 0)) {
            std::fprintf(stderr, "screen-grab: '%s' is not a valid %s\n", argv[i + 2],
                         i < 2 ? "position" : "size");
            return 2;
        }
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "screen-grab: no screen (is DISPLAY set?)\n");
        return 1;
    }
    const QPixmap picture = screen->grabWindow(0, numbers[0], numbers[1], numbers[2], numbers[3]);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "screen-grab: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

// Saves a part of the X screen as PNG: screen_grab OUT.png [X Y W H] (the whole screen without a
// rectangle). The end-to-end test takes its screenshots with it.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 && args.size() != 6) {
        std::fprintf(stderr, "usage: screen_grab OUT.png [X Y W H]\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    QPixmap shot = args.size() == 6 ? screen->grabWindow(0, args[2].toInt(), args[3].toInt(), args[4].toInt(),
                                                         args[5].toInt())
                                    : screen->grabWindow(0);
    return shot.save(args[1]) ? 0 : 1;
}

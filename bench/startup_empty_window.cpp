// The floor for the start-up benchmark: an empty QMainWindow built with the same flags as narrix,
// reporting its first show the same way.
#include "app/startup/startup_probe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(470, 384);
    narrix::installStartupProbe(window);
    window.show();
    return QApplication::exec();
}

// The reference of the start-up figure: a minimal Qt window with a menu bar
// of four actions, shown and painted once.
#include "first_paint.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("File"));
    for (const char *name : {"Open", "Save", "Help", "About"})
        menu->addAction(QString::fromLatin1(name));
    window.resize(800, 600);
    ExitAfterFirstPaint exitAfterPaint(&window);
    window.show();
    return app.exec();
}

// The program's start-up as its main() does it, with no file to open: the
// application set up, the main window and the hidden About box made, the
// window shown and painted once.
#include "first_paint.h"

#include "app/about_box.h"
#include "app/application_setup.h"
#include "app/file_chooser.h"
#include "app/main_window.h"
#include "platform/platform.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    tavo::setUpApplication();
    const std::unique_ptr<tavo::Platform> platform = tavo::createPlatform();
    tavo::QtFileChooser fileChooser;
    tavo::TForm1 form(*platform, fileChooser);
    tavo::TAboutBox aboutBox(&form);
    QObject::connect(&form, &tavo::TForm1::aboutRequested, &aboutBox, &tavo::TAboutBox::showBox);
    ExitAfterFirstPaint exitAfterPaint(&form);
    form.show();
    return app.exec();
}

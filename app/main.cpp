// `TAVO12F`: starts the application, creates the main window and the hidden
// About box, opens the result files named on the command line in order, and
// runs until the main window closes.

#include "app/about_box.h"
#include "app/application_setup.h"
#include "app/file_chooser.h"
#include "app/main_window.h"
#include "app/start_arguments.h"
#include "platform/platform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace {

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), stream);
}

} // namespace

int main(int argc, char **argv)
{
    // --help and --version answer before anything needs a display.
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const tavo::StartArguments early = tavo::parseStartArguments(raw);
    if (early.help || early.version) {
        print(stdout, early.help ? tavo::startUsageText() : tavo::startVersionText());
        return 0;
    }

    QApplication app(argc, argv);
    tavo::setUpApplication();
    // Qt has taken its own options (-platform, -style, ...) out by now.
    const tavo::StartArguments arguments = tavo::parseStartArguments(QCoreApplication::arguments().mid(1));
    if (!arguments.error.isEmpty()) {
        print(stderr, QStringLiteral("tavo12f: %1\nTry 'tavo12f --help' for more information.\n").arg(arguments.error));
        return 2;
    }
    QStringList files;
    for (const QString &file : arguments.files)
        files << QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());

    const std::unique_ptr<tavo::Platform> platform = tavo::createPlatform();
    tavo::QtFileChooser fileChooser;
    tavo::TForm1 form(*platform, fileChooser);
    tavo::TAboutBox aboutBox(&form);
    QObject::connect(&form, &tavo::TForm1::aboutRequested, &aboutBox, &tavo::TAboutBox::showBox);

    form.show();
    // Once the window is up, so an error box has it as its parent.
    if (!files.isEmpty())
        QTimer::singleShot(0, &form, [&form, files] { form.openResultFiles(files); });
    return app.exec();
}

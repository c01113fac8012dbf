#include "app/start_arguments.h"

#include "app/install_layout.h"

namespace tavo {

StartArguments parseStartArguments(const QStringList &arguments)
{
    StartArguments parsed;
    bool optionsEnded = false;
    for (const QString &argument : arguments) {
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            parsed.files << argument;
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            parsed.help = true;
        } else if (argument == QLatin1String("--version")) {
            parsed.version = true;
        } else if (parsed.error.isEmpty()) {
            parsed.error = QStringLiteral("unknown option '%1'").arg(argument);
        }
    }
    return parsed;
}

QString startUsageText()
{
    return QStringLiteral("Usage: tavo12f [OPTION]... [FILE]...\n"
                          "Show the work-motivation profile of each result file (*.cry, *.txt),\n"
                          "opened in the order given, as that many Opens in the window would.\n"
                          "\n"
                          "  -h, --help     show this help and exit\n"
                          "      --version  show the version and exit\n"
                          "\n"
                          "The window's own help: F1 or Help in its menu. Without a window, see\n"
                          "tavo12f-cli --help.\n");
}

QString startVersionText() { return QStringLiteral("tavo12f (TAVO.12Fmod.An) %1\n").arg(kProgramVersion); }

} // namespace tavo

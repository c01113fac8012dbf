#pragma once
// The program's command line: `tavo12f [FILE]...` opens the files in order,
// as that many Opens would; --help and --version answer on standard output.

#include <QString>
#include <QStringList>

namespace tavo {

struct StartArguments {
    bool help = false;
    bool version = false;
    QStringList files; // as given, in order
    QString error;     // a usage error, e.g. an unknown option; empty when none
};

// Reads the arguments after the program's name. "--" ends the options, and
// "-" alone is a file name like any other.
StartArguments parseStartArguments(const QStringList &arguments);

QString startUsageText();
QString startVersionText();

} // namespace tavo

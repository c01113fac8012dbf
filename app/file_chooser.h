#pragma once
// Choosing a file to open or to save. The main window keeps the dialog
// settings as values (title, filter, folder, suggested name) and asks a
// FileChooser; the program uses Qt's file dialogs, tests answer without one.

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

class QFileDialog;
class QPrinter;
class QWidget;

namespace tavo {

struct OpenDialogSettings {
    QString title;
    // Description and pattern pairs separated by "|": "Text (*.TXT)|*.txt".
    QString filter;
    int filterIndex = 1; // 1-based: the entry selected when the dialog opens
    QString initialFolder;
    QString fileName;
};

// The save dialog always asks before replacing a file and is resizable; it
// has no filter and no default extension. It opens in the folder of the
// suggested name.
struct SaveDialogSettings {
    QString title;
    QString fileName;
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen path, or nothing when the user cancels. The named file need
    // not exist.
    virtual std::optional<QString> chooseFileToOpen(QWidget *parent, const OpenDialogSettings &settings) = 0;
    // The chosen path unchanged (no extension is added), or nothing on cancel.
    virtual std::optional<QString> chooseFileToSave(QWidget *parent, const SaveDialogSettings &settings) = 0;
    // Sets up the printer as the user picks it; false when the user cancels.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
};

class QtFileChooser final : public FileChooser {
public:
    std::optional<QString> chooseFileToOpen(QWidget *parent, const OpenDialogSettings &settings) override;
    std::optional<QString> chooseFileToSave(QWidget *parent, const SaveDialogSettings &settings) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
};

// The open dialog's size where the screen has room: its detail view shows
// every column whole.
inline constexpr QSize kOpenDialogSize{860, 480};
void widenForItsColumns(QFileDialog &dialog);

// Qt name filters for a "description|pattern|..." filter. The pattern is put in
// parentheses after the description, where Qt reads it, and the dialog is told
// to show only the description: "Data files (*.CRY)|*.cry" lists *.cry files
// under the caption "Data files (*.CRY)".
QStringList qtNameFilters(const QString &pairedFilter);

// Where the save dialog starts for a suggested full name: the name's folder,
// or the nearest folder above it that exists, and the bare file name. The
// dialog shows the two apart, so the path it returns is the folder it shows
// joined with the name in its name field.
struct SaveDialogStart {
    QString folder;
    QString fileName;
};
SaveDialogStart saveDialogStart(const QString &suggestedName);

} // namespace tavo

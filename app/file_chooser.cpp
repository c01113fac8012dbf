#include "app/file_chooser.h"

#include "app/active_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <QPrintDialog>
#include <QPrinter>

namespace tavo {

QStringList qtNameFilters(const QString &pairedFilter)
{
    const QStringList parts = pairedFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    return filters;
}

void widenForItsColumns(QFileDialog &dialog)
{
    // Wide enough for the name, size, type and date columns of the detail
    // view side by side, within the screen.
    QSize size(kOpenDialogSize);
    if (const QScreen *screen = dialog.screen())
        size = size.boundedTo(screen->availableGeometry().size());
    dialog.resize(size);
    dialog.setViewMode(QFileDialog::Detail);
    if (auto *view = dialog.findChild<QTreeView *>()) {
        // Type and date get what their texts need; the name takes the rest.
        QHeaderView *header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

SaveDialogStart saveDialogStart(const QString &suggestedName)
{
    const QFileInfo suggested(QDir::fromNativeSeparators(suggestedName));
    QString folder = suggested.absolutePath();
    // A missing folder would leave the dialog wherever it was last, with the
    // whole path in its name field; start in what exists instead. The bare
    // name also suits the native Windows dialog, which takes the name as a
    // file URL and drops a folder written with backslashes.
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            break;
        folder = parent;
    }
    return {QDir::toNativeSeparators(folder), suggested.fileName()};
}

std::optional<QString> QtFileChooser::chooseFileToOpen(QWidget *parent, const OpenDialogSettings &settings)
{
    QFileDialog dialog(parent, settings.title, settings.initialFolder);
    widenForItsColumns(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = qtNameFilters(settings.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(settings.filterIndex - 1, filters.front()));
    }
    if (!settings.fileName.isEmpty())
        dialog.selectFile(settings.fileName);
    if (execActive(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QString> QtFileChooser::chooseFileToSave(QWidget *parent, const SaveDialogSettings &settings)
{
    QFileDialog dialog(parent, settings.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!settings.fileName.isEmpty()) {
        const SaveDialogStart start = saveDialogStart(settings.fileName);
        dialog.setDirectory(start.folder);
        dialog.selectFile(start.fileName);
    }
    if (execActive(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

bool QtFileChooser::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return execActive(dialog) == QDialog::Accepted;
}

} // namespace tavo

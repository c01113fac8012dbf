#include "app/file_chooser.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QString> QtFileChooser::chooseFileToSave(QWidget *parent, const SaveDialogSettings &settings)
{
    QFileDialog dialog(parent, settings.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!settings.fileName.isEmpty()) {
        // Qt hands the name to the native Windows dialog as a file URL, which
        // takes no backslashes: given "C:\...\Results\name" it dropped the
        // folder and saved wherever the last dialog had been.
        const QString name = QDir::fromNativeSeparators(settings.fileName);
        const QFileInfo info(name);
        if (info.isAbsolute())
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(name);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

bool QtFileChooser::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace tavo

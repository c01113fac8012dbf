// Open: choosing a result file, loading it and showing its profile. A dropped
// file takes the same road from the load on.

#include "app/error_box.h"
#include "app/main_window.h"
#include "display/result_panel.h"
#include "display/cp1251_qstring.h"
#include "resultfile/result_load.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>

#include <filesystem>

namespace tavo {

namespace {

QString loadErrorText(const LoadError &error, const QString &path)
{
    if (error.kind == LoadError::Kind::CannotOpen)
        return QString::fromStdString(cannotOpenFileMessage(path.toStdString()));
    return fromCp1251(invalidIntegerMessage(error.field));
}

// The one local file a drag carries, if it carries exactly one.
std::optional<QString> draggedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().front().isLocalFile())
        return std::nullopt;
    return mime->urls().front().toLocalFile();
}

} // namespace

void TForm1::mmOpenClick()
{
    OpenDialog1.fileName.clear();
    const std::optional<QString> path = fileChooser_.chooseFileToOpen(this, OpenDialog1);
    if (path)
        openResultFile(*path);
}

void TForm1::openResultFile(const QString &path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LoadOutcome outcome = loadResultFile(std::filesystem::path(path.toStdU16String()));
    if (const auto *error = std::get_if<LoadError>(&outcome)) {
        // The cursor is back before the message appears; nothing else changed.
        QApplication::restoreOverrideCursor();
        showErrorBox(this, loadErrorText(*error, path));
        return;
    }
    paTest->showResult(std::get<LoadedResult>(outcome));
    QApplication::restoreOverrideCursor();
    paTest->show();
}

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (draggedFile(event->mimeData()))
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    if (const std::optional<QString> path = draggedFile(event->mimeData())) {
        event->acceptProposedAction();
        openResultFile(*path);
    }
}

// The report takes dropped text as any editor does; a dropped file still
// opens as a result file.
bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == meInfo->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (draggedFile(drag->mimeData())) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            if (draggedFile(drop->mimeData())) {
                dropEvent(drop);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tavo

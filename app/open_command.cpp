// Open: choosing a result file, loading it and showing its profile. Dropped
// files take the same road from the load on.

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

// The local files a drag carries, in its order; empty when it carries
// anything else (text, a web address), which the window does not take.
QStringList draggedFiles(const QMimeData *mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl &url : mime->urls()) {
        if (!url.isLocalFile())
            return {};
        files << url.toLocalFile();
    }
    return files;
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
    resultPanel().showResult(std::get<LoadedResult>(outcome));
    QApplication::restoreOverrideCursor();
    paTest->show();
}

void TForm1::openResultFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        openResultFile(path);
}

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!draggedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    const QStringList paths = draggedFiles(event->mimeData());
    if (!paths.isEmpty()) {
        event->acceptProposedAction();
        openResultFiles(paths);
    }
}

// The report takes dropped text as any editor does; a dropped file still
// opens as a result file.
bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (meInfo && watched == meInfo->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (!draggedFiles(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            if (!draggedFiles(drop->mimeData()).isEmpty()) {
                dropEvent(drop);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tavo

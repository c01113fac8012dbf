#pragma once
// The help pages in a window of the program's own, for desktops that have no
// viewer for the compiled help: the pages' HTML in a browser pane, with the
// contents and the keyword index beside it.

#include "app/help_topics.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;

namespace tavo {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // `pagesFolder` holds the pages, their pictures and the two sitemaps.
    explicit HelpWindow(const QString &pagesFolder, QWidget *parent = nullptr);

    // Shows `page` (relative to the pages' folder, "#anchor" allowed).
    void showPage(const QString &page);

    QTextBrowser *browser() const { return browser_; }
    QListWidget *contents() const { return contents_; }
    QListWidget *index() const { return index_; }
    QLineEdit *indexFilter() const { return indexFilter_; }
    QTabWidget *tabs() const { return tabs_; }

private:
    void filterIndex(const QString &text);
    void openItem(const QListWidgetItem *item);

    QString pagesFolder_;
    QTabWidget *tabs_ = nullptr;
    QListWidget *contents_ = nullptr;
    QLineEdit *indexFilter_ = nullptr;
    QListWidget *index_ = nullptr;
    QTextBrowser *browser_ = nullptr;
};

} // namespace tavo

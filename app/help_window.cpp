#include "app/help_window.h"

#include "app/app_icons.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tavo {

namespace {

constexpr int kPageRole = Qt::UserRole;

void fill(QListWidget &list, const std::vector<HelpTopic> &topics)
{
    for (const HelpTopic &topic : topics) {
        auto *item = new QListWidgetItem(topic.name, &list);
        item->setData(kPageRole, topic.page);
    }
}

} // namespace

HelpWindow::HelpWindow(const QString &pagesFolder, QWidget *parent)
    : QWidget(parent, Qt::Window), pagesFolder_(pagesFolder)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("TAVO.12Fmod.An — справка"));
    setWindowIcon(applicationIcon());

    contents_ = new QListWidget;
    contents_->setObjectName(QStringLiteral("helpContents"));
    fill(*contents_, readHelpSitemapFile(pagesFolder_, kHelpContentsFile));

    auto *indexPage = new QWidget;
    indexFilter_ = new QLineEdit;
    indexFilter_->setObjectName(QStringLiteral("helpIndexFilter"));
    indexFilter_->setPlaceholderText(QStringLiteral("Введите слово"));
    indexFilter_->setClearButtonEnabled(true);
    index_ = new QListWidget;
    index_->setObjectName(QStringLiteral("helpIndex"));
    fill(*index_, readHelpSitemapFile(pagesFolder_, kHelpIndexFile));
    index_->sortItems();
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index_);

    tabs_ = new QTabWidget;
    tabs_->addTab(contents_, QStringLiteral("Содержание"));
    tabs_->addTab(indexPage, QStringLiteral("Указатель"));

    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({pagesFolder_});
    // The pages' style sheet, which the browser does not load by itself.
    QFile css(QDir(pagesFolder_).filePath(QStringLiteral("style.css")));
    if (css.open(QIODevice::ReadOnly))
        browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));

    auto *back = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Назад"));
    auto *forward = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Вперёд"));
    auto *home = new QPushButton(QStringLiteral("Начало"));
    back->setEnabled(false);
    forward->setEnabled(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch();

    auto *splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 680});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    resize(900, 640);

    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, [this] { showPage(QStringLiteral("index.html")); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(contents_, &QListWidget::itemActivated, this, &HelpWindow::openItem);
    connect(contents_, &QListWidget::itemClicked, this, &HelpWindow::openItem);
    connect(index_, &QListWidget::itemActivated, this, &HelpWindow::openItem);
    connect(index_, &QListWidget::itemClicked, this, &HelpWindow::openItem);
    connect(indexFilter_, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    // Enter in the word field opens the first keyword still shown.
    connect(indexFilter_, &QLineEdit::returnPressed, this, [this] {
        for (int row = 0; row < index_->count(); ++row)
            if (!index_->item(row)->isHidden()) {
                index_->setCurrentRow(row);
                openItem(index_->item(row));
                return;
            }
    });

    showPage(QStringLiteral("index.html"));
}

void HelpWindow::showPage(const QString &page)
{
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    QUrl url = QUrl::fromLocalFile(QDir(pagesFolder_).filePath(hash < 0 ? page : page.left(hash)));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    browser_->setSource(url);
}

void HelpWindow::filterIndex(const QString &text)
{
    const QString word = text.trimmed();
    for (int row = 0; row < index_->count(); ++row) {
        QListWidgetItem *item = index_->item(row);
        item->setHidden(!word.isEmpty() && !item->text().contains(word, Qt::CaseInsensitive));
    }
}

void HelpWindow::openItem(const QListWidgetItem *item)
{
    if (item)
        showPage(item->data(kPageRole).toString());
}

} // namespace tavo

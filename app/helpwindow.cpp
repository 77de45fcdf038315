#include "helpwindow.h"

#include "installation.h"
#include "shellrules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr std::array<HelpPage, 8> Pages{{
    {"index.html", "Contents"},
    {"quickstart.html", "Quick Start Guide"},
    {"calculators.html", "The Calculators and Their Rules"},
    {"tabs.html", "Filling In the Tabs"},
    {"reports.html", "Reports, Printing and PDF Files"},
    {"illustrations.html", "Saving, Backup and Your Files"},
    {"messages.html", "What the Messages Mean"},
    {"faq.html", "Frequently Asked Questions"},
}};

constexpr std::array<std::pair<MenuItem, const char *>, 3> MenuPages{{
    {MenuItem::mnuHelpContents, "index.html"},
    {MenuItem::mnuHelpQuickStart, "quickstart.html"},
    {MenuItem::mnuHelpFAQ, "faq.html"},
}};

constexpr int PageRole = Qt::UserRole;
constexpr int SectionRole = Qt::UserRole + 1;

} // namespace

const std::array<HelpPage, 8> &HelpPages() {
    return Pages;
}

QString HelpPageOf(MenuItem item) {
    for (const auto &[menuItem, file] : MenuPages) {
        if (menuItem == item)
            return QLatin1String(file);
    }
    return QString();
}

HelpWindow::HelpWindow(const QString &folder, QWidget *parent)
    : QWidget(parent, Qt::Window), m_folder(folder) {
    setWindowTitle(Installation::FileDescription() + QStringLiteral(" Help"));
    setAccessibleName(windowTitle());

    m_contents = new QTreeWidget(this);
    m_contents->setAccessibleName(QStringLiteral("Contents"));
    m_contents->setHeaderLabel(QStringLiteral("Contents"));
    m_contents->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_browser = new QTextBrowser(this);
    m_browser->setAccessibleName(QStringLiteral("Help text"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({folder});

    auto *searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    m_search = new QLineEdit(this);
    m_search->setAccessibleName(AccessibleName(searchLabel->text()));
    m_search->setClearButtonEnabled(true);
    searchLabel->setBuddy(m_search);
    auto *findNext = new QPushButton(QStringLiteral("Find &Next"), this);
    findNext->setAccessibleName(AccessibleName(findNext->text()));
    m_searchStatus = new QLabel(this);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(findNext);
    searchRow->addWidget(m_searchStatus);
    auto *right = new QWidget(this);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(searchRow);
    rightLayout->addWidget(m_browser, 1);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(960, 680);
    splitter->setSizes({260, 700});

    loadPages();
    fillContents();
    connect(m_contents, &QTreeWidget::itemActivated, this, &HelpWindow::openItem);
    connect(m_contents, &QTreeWidget::itemClicked, this, &HelpWindow::openItem);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::selectPage);
    const auto find = [this] { findText(m_search->text()); };
    connect(m_search, &QLineEdit::returnPressed, this, find);
    connect(findNext, &QPushButton::clicked, this, find);
    connect(m_search, &QLineEdit::textChanged, m_searchStatus, &QLabel::clear);
}

void HelpWindow::loadPages() {
    for (const HelpPage &page : Pages) {
        LoadedPage loaded;
        loaded.file = QLatin1String(page.file);
        QFile file(QDir(m_folder).filePath(loaded.file));
        // A page that cannot be read still has its place; the browser says it is missing.
        if (file.open(QIODevice::ReadOnly)) {
            QTextDocument document;
            document.setHtml(QString::fromUtf8(file.readAll()));
            loaded.plainText = document.toPlainText();
            for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
                if (block.blockFormat().headingLevel() == 2) {
                    loaded.sections.append(block.text());
                    loaded.sectionBlocks.push_back(block.blockNumber());
                }
            }
        }
        m_pages.push_back(loaded);
    }
}

void HelpWindow::fillContents() {
    for (std::size_t index = 0; index < m_pages.size(); ++index) {
        auto *item = new QTreeWidgetItem(m_contents, {QLatin1String(Pages[index].title)});
        item->setData(0, PageRole, int(index));
        item->setData(0, SectionRole, -1);
        const LoadedPage &page = m_pages[index];
        for (qsizetype section = 0; section < page.sections.size(); ++section) {
            auto *child = new QTreeWidgetItem(item, {page.sections.at(section)});
            child->setData(0, PageRole, int(index));
            child->setData(0, SectionRole, int(section));
        }
    }
}

void HelpWindow::showPage(const QString &file) {
    m_browser->setSource(QUrl::fromLocalFile(QDir(m_folder).filePath(file)));
    show();
    raise();
    activateWindow();
}

void HelpWindow::openItem(QTreeWidgetItem *item) {
    const LoadedPage &page = m_pages.at(std::size_t(item->data(0, PageRole).toInt()));
    if (currentPage() != item->data(0, PageRole).toInt())
        m_browser->setSource(QUrl::fromLocalFile(QDir(m_folder).filePath(page.file)));
    const int section = item->data(0, SectionRole).toInt();
    QTextCursor cursor(m_browser->document());
    // From the end back to the heading brings the heading to the top of the view.
    cursor.movePosition(QTextCursor::End);
    m_browser->setTextCursor(cursor);
    m_browser->ensureCursorVisible();
    if (section >= 0)
        cursor = QTextCursor(
            m_browser->document()->findBlockByNumber(page.sectionBlocks.at(std::size_t(section))));
    else
        cursor.movePosition(QTextCursor::Start);
    m_browser->setTextCursor(cursor);
    m_browser->ensureCursorVisible();
}

int HelpWindow::currentPage() const {
    return pageOf(m_browser->source());
}

int HelpWindow::pageOf(const QUrl &source) const {
    const QString file = QFileInfo(source.toLocalFile()).fileName();
    for (std::size_t index = 0; index < m_pages.size(); ++index) {
        if (m_pages[index].file == file)
            return int(index);
    }
    return -1;
}

void HelpWindow::selectPage(const QUrl &source) {
    const int page = pageOf(source);
    if (page >= 0)
        m_contents->setCurrentItem(m_contents->topLevelItem(page));
}

bool HelpWindow::findInBrowser(const QString &text, bool fromStart) {
    if (fromStart)
        m_browser->moveCursor(QTextCursor::Start);
    return m_browser->find(text);
}

bool HelpWindow::findText(const QString &text) {
    m_searchStatus->clear();
    if (text.trimmed().isEmpty())
        return false;
    if (findInBrowser(text, false))
        return true;
    const int shown = std::max(currentPage(), 0);
    const int count = int(m_pages.size());
    for (int step = 1; step <= count; ++step) {
        const int index = (shown + step) % count;
        if (!m_pages[std::size_t(index)].plainText.contains(text, Qt::CaseInsensitive))
            continue;
        if (index != currentPage())
            m_browser->setSource(
                QUrl::fromLocalFile(QDir(m_folder).filePath(m_pages[std::size_t(index)].file)));
        if (findInBrowser(text, true))
            return true;
    }
    m_searchStatus->setText(QStringLiteral("Not found"));
    return false;
}

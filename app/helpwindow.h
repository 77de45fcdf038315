#pragma once

// The help window: the program's own help pages (HTML files shipped with the program), a
// contents list of the pages and their sections, and a search over every page.

#include "menus.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QUrl;
class QTreeWidget;
class QTreeWidgetItem;

struct HelpPage {
    const char *file;
    const char *title;
};

// The pages in contents order.
const std::array<HelpPage, 8> &HelpPages();

// The page a Help menu item opens; empty for items that open none.
QString HelpPageOf(MenuItem item);

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // `folder` holds the pages of HelpPages().
    explicit HelpWindow(const QString &folder, QWidget *parent = nullptr);

    // Shows the page (a file name of HelpPages()) and raises the window.
    void showPage(const QString &file);
    // Selects the next occurrence of the text after the selection in the page shown, else the
    // first in the pages after it, around to this page's start; false when no page holds it.
    bool findText(const QString &text);

    QTextBrowser *browser() const { return m_browser; }
    QLineEdit *searchField() const { return m_search; }
    QTreeWidget *contents() const { return m_contents; }

private:
    struct LoadedPage {
        QString file;
        QString plainText; // for the search
        QStringList sections;
        std::vector<int> sectionBlocks; // the block number of each section heading
    };
    void loadPages();
    void fillContents();
    void openItem(QTreeWidgetItem *item);
    void selectPage(const QUrl &source);
    int pageOf(const QUrl &source) const;
    int currentPage() const;
    bool findInBrowser(const QString &text, bool fromStart);

    QString m_folder;
    std::vector<LoadedPage> m_pages;
    QTreeWidget *m_contents = nullptr;
    QTextBrowser *m_browser = nullptr;
    QLineEdit *m_search = nullptr;
    QLabel *m_searchStatus = nullptr;
};

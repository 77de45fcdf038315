#include "calculatortabs.h"

#include "beneficiarypage.h"
#include "fieldedit.h"
#include "mainwindow.h"
#include "planholderpage.h"
#include "sepppage.h"
#include "settingsstore.h"
#include "shellcontext.h"
#include "stretchpage.h"

#include <QTabWidget>

namespace {

// Keeps the pages' context as long as the window lives.
class CalculatorTabs : public QObject {
public:
    CalculatorTabs(MainWindow &window, ShellContext &context, FatalHandler &fatal)
        : QObject(&window), m_context{window.illustration(),
                                      window.calculation(),
                                      *context.clock,
                                      fatal,
                                      window.lists(),
                                      [&window] { return window.tabs()->isVisible(); },
                                      [&context](const QString &entry) {
                                          OpenWebLink(context.archive, entry, context.workFolder,
                                                      context.openUrl);
                                      },
                                      [&context](RuleSet rules) {
                                          if (context.userSettings)
                                              context.userSettings->setNewIllustrationRules(rules);
                                      }} {
        m_pages = {new PlanholderPage(m_context), new BeneficiaryPage(m_context),
                   new SeppPage(m_context), new StretchPage(m_context)};
        for (std::size_t index = 0; index < m_pages.size(); ++index)
            window.setTabPage(Tab(index), m_pages[index]);
        window.setFieldLocator([this](int slot) -> QWidget * {
            for (const CalculatorPage *page : m_pages) {
                if (FieldEdit *edit = page->field(slot))
                    return edit;
            }
            return nullptr;
        });
    }

private:
    PageContext m_context;
    std::array<CalculatorPage *, 4> m_pages{};
};

} // namespace

void InstallCalculatorTabs(MainWindow &window, ShellContext &context, FatalHandler &fatal) {
    new CalculatorTabs(window, context, fatal);
}

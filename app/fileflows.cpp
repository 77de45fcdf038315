// The main window's File and Options flows over the illustration on screen: New, Open, Save,
// the offer to save before leaving an illustration, the representative window, compaction,
// backup and restore. Their rules are workflow's (saveflow.h, storageflows.h).

#include "backup.h"
#include "datalocations.h"
#include "illustrationstore.h"
#include "mainwindow.h"
#include "ruleset.h"
#include "shellcontext.h"
#include "shelltexts.h"
#include "storageflows.h"

bool MainWindow::offerToSave() {
    return OfferToSave(m_context.database(), *m_illustration, m_calculation);
}

void MainWindow::newIllustration(Calculator calculator) {
    applyTabViews();
    if (!offerToSave())
        return;
    m_choice.selected = calculator;
    m_illustration->setCalculator(calculator);
    startNewIllustration();
}

void MainWindow::startNewIllustration() {
    NewIllustration(m_context.database(), *m_illustration, m_context.clock->today(),
                    m_lists.planTypes0.constFirst());
    // The user's rule set for new illustrations; a new illustration stays unedited.
    if (m_context.userSettings)
        m_illustration->setListEntry(Control::cmboRuleSet,
                                     RuleSetCaption(m_context.userSettings->newIllustrationRules()),
                                     ChangeOrigin::Refresh);
    applyTabViews();
}

void MainWindow::openIllustration() {
    applyTabViews();
    if (!offerToSave())
        return;
    if (m_hooks.savedIllustrationsWindow)
        m_hooks.savedIllustrationsWindow();
}

void MainWindow::showLoadedIllustration() {
    m_choice.selected = m_illustration->calculator();
    applyTabViews();
    m_illustration->setSaved(true);
}

void MainWindow::saveFromMenu() {
    SaveFromMenu(m_context.database(), *m_illustration, m_calculation,
                 SaveTargetFor(*m_illustration));
}

void MainWindow::exitProgram() {
    const Notice question = ShellText::ExitQuestion();
    if (m_prompter->ask(question.caption, question.text, Buttons::YesNo, MessageIcon::Question) !=
        Answer::Yes)
        return;
    close();
}

void MainWindow::representativeFromMenu() {
    // Only the first activation ends the program over incomplete details.
    if (m_hooks.representativeWindow)
        m_calculation.representative =
            m_hooks.representativeWindow(m_calculation.representative).details;
}

void MainWindow::runMaintenance(MenuItem item) {
    const IllustrationDatabase database = m_context.database();
    const QDateTime now = m_context.clock->now();
    switch (item) {
    case MenuItem::mnuOptionsCompact:
        CompactDatabase(database, *m_illustration, now);
        break;
    case MenuItem::mnuOptionsBackup:
        Backup(database, BackupPlace::RemovableMedia, m_context.workFolder,
               m_context.removableMediaFolder(), *m_prompter);
        break;
    case MenuItem::mnuOptionsRestore:
        RestoreDatabase(database, BackupPlace::RemovableMedia, m_context.removableMediaFolder(),
                        *m_illustration, now);
        break;
    case MenuItem::mnuOptionsInternetBackup:
        Backup(database, BackupPlace::SyncFolder, m_context.workFolder, m_context.syncFolder(),
               *m_prompter);
        break;
    case MenuItem::mnuOptionsInternetRestore:
        RestoreDatabase(database, BackupPlace::SyncFolder, m_context.syncFolder(), *m_illustration,
                        now);
        break;
    default:
        break;
    }
    updateOptionsMenu();
}

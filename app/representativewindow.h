#pragma once

// frmRepInfo, "Financial Representative Information": the representative's name and contact
// details in the frames "Personal" and "Mailing Address", "&Ok" and "Cancel". The details and
// their rules are storage's (representativemodel.h); the window only edits them.

#include "representative.h"

#include <QDialog>
#include <array>

class Clock;
class FatalHandler;
class Prompter;
class QComboBox;
class QLineEdit;

// What the window leaves behind: the details in effect (the saved ones after "&Ok", else those
// it was opened with) and whether "Cancel" left the entries without a required detail.
struct RepresentativeWindowResult {
    RepresentativeDetails details;
    bool incomplete = false;
};

class RepresentativeWindow : public QDialog {
    Q_OBJECT

public:
    // `file` is the representative file "&Ok" writes.
    RepresentativeWindow(const RepresentativeDetails &details, QString file, const Clock &clock,
                         Prompter &prompter, FatalHandler &fatal, QWidget *parent = nullptr);

    const RepresentativeWindowResult &outcome() const { return m_result; }

    // The entry of an index 0 to 11 (txtInput) and the state list.
    QLineEdit *entry(int index) const { return m_entries.at(std::size_t(index)); }
    QComboBox *stateList() const { return m_state; }

    void reject() override; // Cancel and Escape: the required check without a message

protected:
    void closeEvent(QCloseEvent *event) override; // the title bar: no check
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    RepresentativeDetails entered() const;
    void confirm();

    QString m_file;
    const Clock &m_clock;
    Prompter &m_prompter;
    RepresentativeWindowResult m_result;
    QString m_runDate; // the time stamp the entries were loaded with
    std::array<QLineEdit *, 12> m_entries{};
    QComboBox *m_state = nullptr;
    bool m_closingByTitleBar = false;
};

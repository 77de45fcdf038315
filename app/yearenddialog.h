#pragma once

// The File menu's Year-End Reports windows: the choice of year, calculators and output folder,
// and the summary at the end with a button that opens the folder.

#include "yearendbatch.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class YearEndDialog : public QDialog {
    Q_OBJECT

public:
    YearEndDialog(int year, const QString &folder, QWidget *parent = nullptr);

    int year() const;
    std::array<bool, 4> calculators() const;
    QString folder() const;

private:
    void browse();
    void updateOk();

    QSpinBox *m_year = nullptr;
    std::array<QCheckBox *, 4> m_calculators{};
    QLineEdit *m_folder = nullptr;
    QPushButton *m_ok = nullptr;
};

// The end of a run: what was written, what failed (and whether Cancel stopped it), with
// "Open Output Folder".
class YearEndSummaryDialog : public QDialog {
    Q_OBJECT

public:
    YearEndSummaryDialog(const QString &text, std::function<void()> openFolder,
                         QWidget *parent = nullptr);
};

// The summary's text: counts, the folder, and for a cancelled run how many reports it kept.
QString YearEndSummaryText(const YearEndCounts &counts, int total, bool cancelled,
                           const QString &folder, const QString &summaryFile);

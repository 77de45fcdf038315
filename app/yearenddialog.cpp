#include "yearenddialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr std::array<const char *, 4> CalculatorCaptions{"&RMD", "RM&BD", "&SEPP", "S&tretch"};

QString withoutMnemonic(const char *caption) {
    return QString::fromLatin1(caption).remove(QLatin1Char('&'));
}

} // namespace

YearEndDialog::YearEndDialog(int year, const QString &folder, QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmYearEnd"));
    setWindowTitle(QStringLiteral("Year-End Reports"));
    setAccessibleName(QStringLiteral("Year-End Reports"));

    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("spinYear"));
    m_year->setRange(1900, 2200);
    m_year->setValue(year);
    m_year->setAccessibleName(QStringLiteral("Calculation year"));
    m_year->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    auto *calculators = new QWidget(this);
    auto *row = new QHBoxLayout(calculators);
    row->setContentsMargins(0, 0, 0, 0);
    for (std::size_t index = 0; index < m_calculators.size(); ++index) {
        auto *box = new QCheckBox(QLatin1String(CalculatorCaptions[index]), calculators);
        box->setObjectName(QStringLiteral("chkCalculator%1").arg(index));
        box->setAccessibleName(withoutMnemonic(CalculatorCaptions[index]));
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, &YearEndDialog::updateOk);
        row->addWidget(box);
        m_calculators[index] = box;
    }
    row->addStretch();

    auto *place = new QWidget(this);
    auto *line = new QHBoxLayout(place);
    line->setContentsMargins(0, 0, 0, 0);
    m_folder = new QLineEdit(QDir::toNativeSeparators(folder), place);
    m_folder->setObjectName(QStringLiteral("txtFolder"));
    m_folder->setAccessibleName(QStringLiteral("Output folder"));
    m_folder->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    connect(m_folder, &QLineEdit::textChanged, this, &YearEndDialog::updateOk);
    auto *browse = new QPushButton(QStringLiteral("Bro&wse..."), place);
    browse->setObjectName(QStringLiteral("cmdBrowse"));
    browse->setAccessibleName(QStringLiteral("Browse..."));
    connect(browse, &QPushButton::clicked, this, &YearEndDialog::browse);
    line->addWidget(m_folder, 1);
    line->addWidget(browse);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Calculation &year:"), m_year);
    form->addRow(QStringLiteral("Calculators:"), calculators);
    form->addRow(QStringLiteral("&Output folder:"), place);
    if (auto *label = qobject_cast<QLabel *>(form->labelForField(place)))
        label->setBuddy(m_folder);

    auto *note = new QLabel(QStringLiteral("The year applies to RMD and RMBD illustrations; SEPP "
                                           "and Stretch keep their own. The database is only "
                                           "read."),
                            this);
    note->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setText(QStringLiteral("&Create Reports"));
    m_ok->setAccessibleName(QStringLiteral("Create Reports"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    updateOk();
}

int YearEndDialog::year() const {
    return m_year->value();
}

std::array<bool, 4> YearEndDialog::calculators() const {
    std::array<bool, 4> chosen{};
    for (std::size_t index = 0; index < chosen.size(); ++index)
        chosen[index] = m_calculators[index]->isChecked();
    return chosen;
}

QString YearEndDialog::folder() const {
    return QDir::fromNativeSeparators(m_folder->text().trimmed());
}

void YearEndDialog::browse() {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Output Folder"), folder());
    if (!chosen.isEmpty())
        m_folder->setText(QDir::toNativeSeparators(chosen));
}

void YearEndDialog::updateOk() {
    const std::array<bool, 4> chosen = calculators();
    m_ok->setEnabled(!folder().isEmpty() &&
                     std::any_of(chosen.begin(), chosen.end(), [](bool on) { return on; }));
}

YearEndSummaryDialog::YearEndSummaryDialog(const QString &text, std::function<void()> openFolder,
                                           QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmYearEndSummary"));
    setWindowTitle(QStringLiteral("Year-End Reports"));
    setAccessibleName(QStringLiteral("Year-End Reports"));
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("lblSummary"));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *buttons = new QDialogButtonBox(this);
    auto *open =
        buttons->addButton(QStringLiteral("&Open Output Folder"), QDialogButtonBox::ActionRole);
    open->setObjectName(QStringLiteral("cmdOpenFolder"));
    open->setAccessibleName(QStringLiteral("Open Output Folder"));
    connect(open, &QPushButton::clicked, this, [openFolder] { openFolder(); });
    auto *close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAccessibleName(QStringLiteral("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(buttons);
}

QString YearEndSummaryText(const YearEndCounts &counts, int total, bool cancelled,
                           const QString &folder, const QString &summaryFile) {
    QStringList lines;
    if (cancelled)
        lines << QStringLiteral("Cancelled: the %1 reports written so far are kept.")
                     .arg(counts.written);
    lines << QStringLiteral("%1 of %2 reports written to %3.")
                 .arg(counts.written)
                 .arg(total)
                 .arg(QDir::toNativeSeparators(folder));
    if (counts.invalid > 0)
        lines << QStringLiteral("%1 illustrations failed their checks.").arg(counts.invalid);
    if (counts.failed > 0)
        lines << QStringLiteral("%1 reports could not be written.").arg(counts.failed);
    if (!summaryFile.isEmpty())
        lines << QStringLiteral("Summary: %1").arg(QDir::toNativeSeparators(summaryFile));
    return lines.join(QLatin1Char('\n'));
}

#pragma once

// Year-end reports: every illustration of a database (or of a folder of illustration files)
// computed for the coming year and written as the File > Export PDF report, with a summary row
// each. rmdbatch batch and the window's Year-End Reports run the same steps. The database is
// only read, the way the saved-illustrations window lists it: no lock, nothing written.

#include "calculators.h"
#include "illustrationdatabase.h"
#include "pdfpages.h"
#include "recordcheck.h"
#include "reportpictures.h"
#include "representative.h"
#include "ruleset.h"
#include "storageerror.h"
#include "stretchreport.h"
#include "textmeasures.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class Illustration;
class SupportArchive;

struct YearEndOptions {
    std::optional<int> year; // the calculation year of the RMD and RMBD calculators
    std::array<bool, 4> calculators{true, true, true, true};
    std::optional<RuleSet> rules; // every illustration under these rules; else its own
    ReportPages pages;
    QDate today;
    RepresentativeDetails representative;
};

// One illustration to report on: a database record, or a file.
struct YearEndJob {
    int record = 0;
    QString file;
};

// The summary's record column for a job: the record number, or the file's name.
QString YearEndRecordName(const YearEndJob &job);

enum class YearEndStatus { Written, Invalid, Unreadable, Failed, Skipped };

struct YearEndRow {
    YearEndStatus status = YearEndStatus::Skipped;
    QString record; // the record number, or the file's name
    QString name;   // last name first, as the saved-illustrations window lists it
    QString calculator;
    QString planType;
    QString planName;
    QString year;
    QString distribution; // a plain number
    QString rules;
    QString pdf; // the file name written
    QString message;
};

// The summary's header and a row's cells, in column order.
QStringList YearEndHeader();
QStringList YearEndCells(const YearEndRow &row);
// Which summary columns hold numbers (never taken for a formula).
QList<bool> YearEndNumericColumns();
// "ok", "invalid", "unreadable", "failed".
QString YearEndStatusText(YearEndStatus status);

// The active records of the database in record order, those of the chosen calculators only.
// Damaged records are skipped and kept in `damaged`.
Result<QList<YearEndJob>> ListDatabaseJobs(const IllustrationDatabase &database,
                                           const std::array<bool, 4> &calculators,
                                           QList<DamagedRecord> *damaged = nullptr);

// Fills the illustration from a job; the cause when it cannot, else empty.
using YearEndLoader = std::function<QString(const YearEndJob &, Illustration &)>;
YearEndLoader DatabaseLoader(const IllustrationDatabase &database);

// PDF names not used yet in the output folder: the File > Export PDF name, then " (2)", " (3)"
// before ".pdf" for a name taken in this run or already present in the folder.
class ReportNames {
public:
    explicit ReportNames(QString folder) : m_folder(std::move(folder)) {}
    QString claim(const QString &fileName);

private:
    QString m_folder;
    QSet<QString> m_used;
};

// What the reports of one run share: the support archive's pictures, read once, and the PDF
// files' fonts and picture encodings, and the widths of the texts laid out.
struct YearEndShared {
    PictureCache pictures;
    TextMeasures measures;
    PdfResources pdf;
};

// One job: load, apply the options, compute, build the report as the window does and write
// it to the path `place` gives for its File > Export PDF name. A failed check, an unreadable
// illustration or an unwritable file is a row with its status; a support archive that cannot
// deliver a template throws FatalError, as it ends any other report. A run keeps one `shared`
// for all its jobs.
YearEndRow RunYearEndJob(const YearEndJob &job, const YearEndOptions &options,
                         const YearEndLoader &load, const SupportArchive &archive,
                         const QString &workFolder,
                         const std::function<QString(const QString &fileName)> &place,
                         YearEndShared &shared);

// The outcome of a run: how many rows of each kind.
struct YearEndCounts {
    int written = 0;
    int invalid = 0; // failed validation or could not be read
    int failed = 0;  // could not be written
    void add(YearEndStatus status);
};

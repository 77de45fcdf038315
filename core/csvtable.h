#pragma once

// A comma-separated table compiled into the program (the life and tax tables): its header
// checked, its records split into fields (RFC 4180: commas outside double quotes separate, ""
// inside quotes stands for one quote). Fields are views into the table's text, so the large
// joint tables are read without a copy per field. Every fault names the table and the line and
// ends in a FatalError.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <deque>
#include <vector>

class CsvTable {
public:
    // Reads the table at `path` (a resource). `kind` starts its messages ("Life table"), and
    // `routine` names the FatalError's routine.
    CsvTable(const QString &path, const QString &kind, const QString &routine,
             QByteArrayView header);

    qsizetype size() const { return qsizetype(m_records.size()); }
    // Line numbers count from 1 as in an editor: the header is line 1, record 0 is on line 2.
    static int lineNumber(qsizetype record) { return int(record) + 2; }
    // The fields of a record, which must number exactly `count`.
    const std::vector<QByteArrayView> &fields(qsizetype record, std::size_t count) const;

    // Line 0 blames the table as a whole.
    [[noreturn]] void damaged(int lineNumber, const QString &what) const {
        damaged(m_kind, m_path, m_routine, lineNumber, what);
    }
    // The same for a fault found across tables, after they were read.
    [[noreturn]] static void damaged(const QString &kind, const QString &path,
                                     const QString &routine, int lineNumber, const QString &what);

private:
    void split(QByteArrayView line);

    QString m_path;
    QString m_kind;
    QString m_routine;
    QByteArray m_text;
    std::deque<QByteArray> m_unquoted; // quoted fields, unescaped; a deque keeps them in place
    std::vector<std::vector<QByteArrayView>> m_records;
};

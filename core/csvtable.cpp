#include "csvtable.h"

#include "errornumber.h"
#include "fatalerror.h"

#include <QFile>

CsvTable::CsvTable(const QString &path, const QString &kind, const QString &routine,
                   QByteArrayView header)
    : m_path(path), m_kind(kind), m_routine(routine) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FatalError(routine, ErrorNumber::FileNotFound,
                         QStringLiteral("%1 %2 is missing from this build").arg(kind, path));
    m_text = file.readAll();
    const QByteArrayView text(m_text);
    bool first = true;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        start = end + 1;
        // A checkout with CRLF endings still carries the same numbers.
        if (line.endsWith('\r'))
            line.chop(1);
        if (first && line != header)
            damaged(1, QStringLiteral("header is not \"%1\"").arg(QLatin1String(header)));
        if (!first)
            split(line);
        first = false;
    }
    if (first)
        damaged(1, QStringLiteral("header is not \"%1\"").arg(QLatin1String(header)));
}

void CsvTable::split(QByteArrayView line) {
    std::vector<QByteArrayView> &fields = m_records.emplace_back();
    qsizetype start = 0;
    for (;;) {
        if (start < line.size() && line.at(start) == '"') {
            QByteArray &field = m_unquoted.emplace_back();
            qsizetype at = start + 1;
            for (; at < line.size(); ++at) {
                if (line.at(at) == '"' && at + 1 < line.size() && line.at(at + 1) == '"')
                    field += line.at(++at);
                else if (line.at(at) == '"')
                    break;
                else
                    field += line.at(at);
            }
            fields.push_back(field);
            start = line.indexOf(',', at);
        } else {
            const qsizetype comma = line.indexOf(',', start);
            fields.push_back(line.sliced(start, (comma < 0 ? line.size() : comma) - start));
            start = comma;
        }
        if (start < 0)
            return;
        ++start;
    }
}

const std::vector<QByteArrayView> &CsvTable::fields(qsizetype record, std::size_t count) const {
    const std::vector<QByteArrayView> &fields = m_records[std::size_t(record)];
    if (fields.size() != count)
        damaged(lineNumber(record),
                QStringLiteral("expected %1 fields, found %2").arg(count).arg(fields.size()));
    return fields;
}

void CsvTable::damaged(const QString &kind, const QString &path, const QString &routine,
                       int lineNumber, const QString &what) {
    const QString where =
        lineNumber > 0 ? QStringLiteral(" at line %1").arg(lineNumber) : QString();
    throw FatalError(routine, ErrorNumber::TypeMismatch,
                     QStringLiteral("%1 %2 is damaged%3: %4").arg(kind, path, where, what));
}

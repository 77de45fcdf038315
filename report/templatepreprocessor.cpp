#include "templatepreprocessor.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QString SpacerRow = QStringLiteral("\\par ");

QString columnPlaceholder(qsizetype column) {
    return QStringLiteral("[[%1]]").arg(column + 1);
}

} // namespace

bool TemplatePreprocessor::LoadTemplate(const QString &fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString()), 0);
    setTemplateText(QString::fromLatin1(file.readAll()));
    return true;
}

void TemplatePreprocessor::setTemplateText(const QString &text) {
    m_lines.clear();
    m_error.clear();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype index = 0; index < lines.size(); ++index)
        m_lines.append({lines[index], int(index + 1)});
}

namespace {

// The next blank-separated word of `line` from `from`, and where the search goes on after it.
// Read in place: every pass looks at every line, and almost none is a directive.
QStringView nextWord(QStringView line, qsizetype &from) {
    while (from < line.size() && line.at(from).isSpace())
        ++from;
    const qsizetype start = from;
    while (from < line.size() && !line.at(from).isSpace())
        ++from;
    return line.sliced(start, from - start);
}

} // namespace

TemplatePreprocessor::Directive TemplatePreprocessor::directiveOf(const QString &line,
                                                                  QString *argument) const {
    qsizetype from = 0;
    const QStringView first = nextWord(line, from);
    if (first.isEmpty())
        return Directive::None;
    if (argument)
        *argument = nextWord(line, from).toString();
    const std::pair<const QString *, Directive> keywords[] = {
        {&IfKeyword, Directive::If},
        {&ElseKeyword, Directive::Else},
        {&EndIfKeyword, Directive::EndIf},
        {&TableKeyword, Directive::Table},
        {&EndTableKeyword, Directive::EndTable},
        {&EntryKeyword, Directive::Entry},
        {&EndEntryKeyword, Directive::EndEntry},
    };
    for (const auto &[keyword, directive] : keywords) {
        if (first == *keyword)
            return directive;
    }
    // A misspelt directive would otherwise show in the report as text.
    return first.startsWith(QLatin1String("$#")) ? Directive::Unknown : Directive::None;
}

bool TemplatePreprocessor::fail(const QString &message, int lineNumber) {
    if (m_error.isEmpty())
        m_error =
            lineNumber > 0 ? QStringLiteral("line %1: %2").arg(lineNumber).arg(message) : message;
    return false;
}

std::optional<CheckedTemplate> TemplatePreprocessor::Prepare() {
    struct Open {
        Directive kind;
        int line;
        bool sawElse = false;
        bool sawEntry = false;
    };
    QList<Open> open;
    const auto failed = [this](const QString &message, int lineNumber) {
        fail(message, lineNumber);
        return std::nullopt;
    };
    for (const Line &line : std::as_const(m_lines)) {
        QString argument;
        const Directive directive = directiveOf(line.text, &argument);
        const Directive top = open.isEmpty() ? Directive::None : open.last().kind;
        switch (directive) {
        case Directive::None:
            break;
        case Directive::Unknown:
            return failed(QStringLiteral("unknown directive \"%1\"").arg(line.text.trimmed()),
                          line.number);
        case Directive::If:
            if (argument.isEmpty() || argument == QLatin1String("!"))
                return failed(IfKeyword + QStringLiteral(" needs a name"), line.number);
            open.append({Directive::If, line.number});
            break;
        case Directive::Else:
            if ((top != Directive::If && top != Directive::Entry) || open.last().sawElse)
                return failed(ElseKeyword + QStringLiteral(" without ") + IfKeyword, line.number);
            open.last().sawElse = true;
            break;
        case Directive::EndIf:
            if (top != Directive::If)
                return failed(EndIfKeyword + QStringLiteral(" without ") + IfKeyword, line.number);
            open.removeLast();
            break;
        case Directive::Table:
            if (argument.isEmpty())
                return failed(TableKeyword + QStringLiteral(" needs a name"), line.number);
            if (std::any_of(open.begin(), open.end(),
                            [](const Open &o) { return o.kind == Directive::Table; }))
                return failed(QStringLiteral("tables cannot nest"), line.number);
            open.append({Directive::Table, line.number});
            break;
        case Directive::Entry:
            if (top != Directive::Table || open.last().sawEntry)
                return failed(EntryKeyword + QStringLiteral(" outside a table, or twice"),
                              line.number);
            open.last().sawEntry = true;
            open.append({Directive::Entry, line.number});
            break;
        case Directive::EndEntry:
            if (top != Directive::Entry)
                return failed(EndEntryKeyword + QStringLiteral(" without ") + EntryKeyword,
                              line.number);
            open.removeLast();
            break;
        case Directive::EndTable:
            if (top != Directive::Table)
                return failed(EndTableKeyword + QStringLiteral(" without ") + TableKeyword,
                              line.number);
            if (!open.last().sawEntry)
                return failed(QStringLiteral("table without ") + EntryKeyword, line.number);
            open.removeLast();
            break;
        }
    }
    if (!open.isEmpty())
        return failed(QStringLiteral("directive not closed"), open.last().line);
    CheckedTemplate checked;
    checked.m_lines = m_lines;
    return checked;
}

void TemplatePreprocessor::Define(const QString &name, const QString &value) {
    m_names.insert(name, value);
}

ResolvedTemplate TemplatePreprocessor::FirstPass(const CheckedTemplate &checked) const {
    struct Frame {
        Directive kind;
        bool active;       // lines inside are kept
        bool parentActive; // for an If: whether the block as a whole is kept
        bool condition;
    };
    QList<Frame> frames;
    ResolvedTemplate resolved;
    QList<Line> &kept = resolved.m_lines;
    const auto active = [&frames] { return frames.isEmpty() || frames.last().active; };
    for (const Line &line : checked.m_lines) {
        QString argument;
        switch (directiveOf(line.text, &argument)) {
        case Directive::If: {
            const bool negated = argument.startsWith(QLatin1Char('!'));
            const bool condition = isDefined(negated ? argument.mid(1) : argument) != negated;
            const bool parent = active();
            frames.append({Directive::If, parent && condition, parent, condition});
            break;
        }
        case Directive::Else:
            if (!frames.isEmpty() && frames.last().kind == Directive::If) {
                Frame &frame = frames.last();
                frame.active = frame.parentActive && !frame.condition;
            } else if (active()) {
                kept.append(line); // the spacer row of a table entry
            }
            break;
        case Directive::EndIf:
            if (!frames.isEmpty())
                frames.removeLast();
            break;
        case Directive::Table:
        case Directive::Entry:
            if (active())
                kept.append(line);
            frames.append({Directive::Table, active(), active(), true});
            break;
        case Directive::EndEntry:
        case Directive::EndTable:
            if (!frames.isEmpty())
                frames.removeLast();
            if (active())
                kept.append(line);
            break;
        default:
            if (active())
                kept.append(line);
        }
    }
    return resolved;
}

FilledTemplate TemplatePreprocessor::SecondPass(const ResolvedTemplate &resolved) const {
    FilledTemplate filled;
    filled.m_lines = resolved.m_lines;
    if (m_names.isEmpty())
        return filled;
    QStringList names = m_names.keys();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    QStringList escaped;
    for (const QString &name : std::as_const(names))
        escaped.append(QRegularExpression::escape(name));
    const QRegularExpression pattern(escaped.join(QLatin1Char('|')));
    for (Line &line : filled.m_lines) {
        if (directiveOf(line.text) != Directive::None)
            continue;
        QString replaced;
        qsizetype from = 0;
        for (auto it = pattern.globalMatch(line.text); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            replaced += QStringView(line.text).mid(from, match.capturedStart() - from);
            replaced += m_names.value(match.captured());
            from = match.capturedEnd();
        }
        replaced += QStringView(line.text).mid(from);
        line.text = replaced;
    }
    return filled;
}

bool TemplatePreprocessor::EmitTable(FilledTemplate &filled, const QString &name,
                                     const QStringList &entries) const {
    QList<Line> &lines = filled.m_lines;
    qsizetype begin = -1;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        QString argument;
        if (directiveOf(lines[index].text, &argument) == Directive::Table && argument == name) {
            begin = index;
            break;
        }
    }
    if (begin < 0)
        return false;

    QList<Line> head, row, spacer, foot;
    QList<Line> *part = &head;
    qsizetype end = begin + 1;
    for (; end < lines.size(); ++end) {
        const Directive directive = directiveOf(lines[end].text);
        if (directive == Directive::Entry)
            part = &row;
        else if (directive == Directive::Else && part == &row)
            part = &spacer;
        else if (directive == Directive::EndEntry)
            part = &foot;
        else if (directive == Directive::EndTable)
            break;
        else
            part->append(lines[end]);
    }

    QList<Line> expanded = head;
    const int number = lines[begin].number;
    for (const QString &entry : entries) {
        if (entry.isEmpty()) {
            if (spacer.isEmpty())
                expanded.append({SpacerRow, number});
            else
                expanded.append(spacer);
            continue;
        }
        const QStringList columns = entry.split(QLatin1Char('~'));
        for (Line line : std::as_const(row)) {
            // Columns beyond the entry's own are left empty.
            for (int column = 0; line.text.contains(QStringLiteral("[[")) && column < 99; ++column)
                line.text.replace(columnPlaceholder(column),
                                  column < columns.size() ? columns[column] : QString());
            expanded.append(line);
        }
    }
    expanded.append(foot);
    lines = lines.mid(0, begin) + expanded + lines.mid(end + 1);
    return true;
}

QString TemplatePreprocessor::result(const FilledTemplate &filled) const {
    QStringList lines;
    bool inTable = false;
    for (const Line &line : filled.m_lines) {
        const Directive directive = directiveOf(line.text);
        if (directive == Directive::Table)
            inTable = true;
        else if (directive == Directive::EndTable)
            inTable = false;
        else if (!inTable && directive == Directive::None)
            lines.append(line.text);
    }
    return lines.join(QLatin1Char('\n'));
}

bool TemplatePreprocessor::SaveResult(const FilledTemplate &filled, const QString &fileName) const {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = result(filled).toLatin1();
    return file.write(bytes) == bytes.size() && file.flush();
}

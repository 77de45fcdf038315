#pragma once

// The template preprocessor: resolves the directive layer of a report template before the
// placeholder layer fills it. The Stretch report uses every directive; the other reports only
// the conditionals of their rule-set passages.
//
// Directive syntax (for whoever edits a template; support/README.md says the same):
//
// - A directive stands alone on a line of the template file: the line's first word is one of
//   the seven keywords (by default "$#if", "$#else", "$#endif", "$#table", "$#endtable",
//   "$#entry", "$#endentry"), optionally followed by one argument. Blanks around it are ignored.
//   RTF ignores line breaks, so directive lines never show in the report; they are removed.
// - "$#if NAME" keeps the lines up to the matching "$#else" (or "$#endif") when NAME is
//   defined, whatever its value, and the lines after "$#else" otherwise. "$#if !NAME" tests the
//   opposite. Conditionals nest; a "$#table" block may stand inside a conditional, and a
//   conditional inside a table's entry is resolved before the table is expanded.
// - A defined name is replaced by its value wherever its literal text occurs outside directive
//   lines, longest names first (so a short name never eats part of a longer one), in one scan:
//   a value is never searched again. Condition names have empty values and never stand in text.
// - "$#table NAME" ... "$#endtable" is a ledger table. The lines before "$#entry" are its head,
//   the lines between "$#entry" and "$#endentry" its row, the lines after "$#endentry" its
//   foot. Each entry handed to it is one row: the entry's "~"-separated columns replace
//   "[[1]]", "[[2]]", ... in the row lines. An empty entry is a spacer row: the row lines after
//   an "$#else" inside the entry block, or an empty paragraph ("\par") when there is none. A
//   table that is never emitted disappears with its head and foot.
//
// Errors (a directive without its partner, an unknown "$#" word, a table without a row) are
// reported by Prepare with the line number; the caller must look at the result.
//
// The steps run in the order their types give: Prepare checks the loaded template, FirstPass
// resolves the conditionals of a checked one, SecondPass replaces the names in a resolved one,
// and tables are emitted into, and the text read from, a filled one.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct TemplateLine {
    QString text;
    int number; // 1-based line of the template file
};

// The template's directives balance.
class CheckedTemplate {
    friend class TemplatePreprocessor;
    QList<TemplateLine> m_lines;
};

// The template's conditionals are resolved.
class ResolvedTemplate {
    friend class TemplatePreprocessor;
    QList<TemplateLine> m_lines;
};

// The template's names are replaced; its tables are emitted into it.
class FilledTemplate {
    friend class TemplatePreprocessor;
    QList<TemplateLine> m_lines;
};

class TemplatePreprocessor {
public:
    QString IfKeyword = QStringLiteral("$#if");
    QString ElseKeyword = QStringLiteral("$#else");
    QString EndIfKeyword = QStringLiteral("$#endif");
    QString TableKeyword = QStringLiteral("$#table");
    QString EndTableKeyword = QStringLiteral("$#endtable");
    QString EntryKeyword = QStringLiteral("$#entry");
    QString EndEntryKeyword = QStringLiteral("$#endentry");

    // Reads the template file (RTF is 8-bit text; it is read as Latin-1 and written back so).
    bool LoadTemplate(const QString &fileName);
    // Sets the template text directly.
    void setTemplateText(const QString &text);
    // The loaded template when its directives balance; nothing, and errorString set, otherwise.
    std::optional<CheckedTemplate> Prepare();
    void Define(const QString &name, const QString &value);
    void Define(const QString &name, int value) { Define(name, QString::number(value)); }
    bool isDefined(const QString &name) const { return m_names.contains(name); }
    // Resolves the conditionals by the names defined.
    ResolvedTemplate FirstPass(const CheckedTemplate &checked) const;
    // Replaces the value names.
    FilledTemplate SecondPass(const ResolvedTemplate &resolved) const;
    // Expands the template's table of this name with one row for each entry; false when the
    // template holds no such table (any more).
    bool EmitTable(FilledTemplate &filled, const QString &name, const QStringList &entries) const;
    // The resulting text: tables never emitted are dropped.
    QString result(const FilledTemplate &filled) const;
    bool SaveResult(const FilledTemplate &filled, const QString &fileName) const;

    // The first error met, with its line number; empty when all went well.
    const QString &errorString() const { return m_error; }

private:
    enum class Directive { None, If, Else, EndIf, Table, EndTable, Entry, EndEntry, Unknown };
    using Line = TemplateLine;
    Directive directiveOf(const QString &line, QString *argument = nullptr) const;
    bool fail(const QString &message, int lineNumber);

    QList<Line> m_lines;
    QHash<QString, QString> m_names;
    QString m_error;
};

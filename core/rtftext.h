#pragma once

// Text going into a report's RTF. Report fields hold RTF fragments: what a person typed (names,
// plan names, the representative's details) is escaped on its way in, so it can never open or
// close a group or start a control word; the few fragments the system builds as RTF on purpose
// (the representative block, the date-of-death line) are written as they are.

#include <QString>
#include <QStringView>

namespace RtfText {

// Plain text as RTF: "\", "{" and "}" written "\\", "\{" and "\}".
QString escape(const QString &text);

// An RTF fragment as the 8-bit text of a file that declares Windows-1252 ("\ansicpg1252"), one
// character per byte (U+0000 to U+00FF), the form the templates are read in: a character the
// code page holds becomes its byte, any other "\uN?" (N the UTF-16 unit as a signed 16-bit
// number, two for a character beyond U+FFFF; "?" is what a reader without Unicode shows).
QString toCodePage(const QString &fragment);

// Where the control word `word` ("par", "bullet") first stands in an RTF fragment: the index of
// its backslash, or -1. Escaped text ("\\par") is not a control word and is passed over.
qsizetype indexOfControlWord(QStringView rtf, QStringView word);

} // namespace RtfText

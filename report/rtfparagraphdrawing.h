#pragma once

// Writing one RTF paragraph into a report document as runs of one format, with its tab stops,
// underlines, alignment and spacing.

class ReportDocument;
class RtfFontTable;
class RtfParagraph;
struct RtfCharFormat;
struct RtfParaFormat;

// `endFormat` is the character format in force at the paragraph mark; it sizes an empty line.
void DrawParagraph(ReportDocument &document, const RtfParagraph &paragraph,
                   const RtfParaFormat &format, const RtfFontTable &fonts,
                   const RtfCharFormat &endFormat);

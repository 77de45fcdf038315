#pragma once

// Draws the report's RTF text into a report document. The renderer understands the subset of
// RTF that the report templates use and skips the rest; faults in the text never stop it, so a
// damaged text gives a partial drawing rather than an error.

#include "rtffonttable.h"
#include "rtfgroupstate.h"
#include "rtfparagraph.h"
#include "rtftokenizer.h"

#include <QString>

class ReportDocument;

// Draws the whole text into the open document (opening it first when it is not) and leaves it
// open for the caller to close. Characters after the last "\par" are not drawn.
void DrawRTF(ReportDocument &document, const QString &rtf);

// The listener behind DrawRTF: it keeps the group states, the font table and the paragraph
// being read, and draws each paragraph at its "\par".
class RtfRenderer : public RtfListener {
public:
    explicit RtfRenderer(ReportDocument &document) : m_document(document) {}

    void groupStart() override;
    void groupEnd() override;
    void controlWord(std::string_view word, std::optional<int> parameter) override;
    void ignorableDestination() override;
    void character(QChar c) override;

    const RtfFontTable &fonts() const { return m_fonts; }
    const RtfGroupStack &groups() const { return m_groups; }

private:
    void text(QChar c);
    // Whether this token is part of the fallback of the last \uN, which is not drawn.
    bool inFallback();
    void insert(QChar c);
    void setMargin(int side, int twips);

    ReportDocument &m_document;
    RtfGroupStack m_groups;
    RtfFontTable m_fonts;
    RtfParagraph m_paragraph;
    int m_defaultFont = 0;
    int m_fallbackLeft = 0; // characters or control words still to skip after a \uN
};

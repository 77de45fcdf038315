#include "rtfrenderer.h"

#include "reportdocument.h"
#include "rtfcontrolwords.h"
#include "rtfparagraphdrawing.h"

#include <algorithm>

void DrawRTF(ReportDocument &document, const QString &rtf) {
    if (!document.isOpen())
        document.open();
    RtfRenderer renderer(document);
    RtfTokenizer tokenizer(renderer);
    tokenizer.feed(rtf);
    tokenizer.finish();
}

// A brace ends a \uN's fallback early, as RTF has it.
void RtfRenderer::groupStart() {
    m_fallbackLeft = 0;
    m_groups.push();
}

void RtfRenderer::groupEnd() {
    m_fallbackLeft = 0;
    m_groups.pop();
}

bool RtfRenderer::inFallback() {
    if (m_fallbackLeft == 0)
        return false;
    --m_fallbackLeft;
    return true;
}

void RtfRenderer::ignorableDestination() {
    if (inFallback())
        return;
    m_groups.current().destination = Destination::Ignorable;
}

void RtfRenderer::character(QChar c) {
    // Line breaks and other control characters are no text, not even a fallback's.
    if (c.unicode() < 32 || inFallback())
        return;
    text(c);
}

void RtfRenderer::text(QChar c) {
    if (c.unicode() < 32)
        return;
    const RtfGroupState &group = m_groups.current();
    if (group.character.has(RtfStyle::Hidden))
        return;
    switch (group.destination) {
    case Destination::Body:
        m_paragraph.append(c, group.character);
        break;
    case Destination::FontTable:
        if (c == u';')
            m_fonts.completeEntry(group.character.font);
        else
            m_fonts.addNameCharacter(c);
        break;
    default:
        break;
    }
}

// Characters that control words put into the paragraph: body text only, and not when hidden.
void RtfRenderer::insert(QChar c) {
    const RtfGroupState &group = m_groups.current();
    if (group.destination == Destination::Body && !group.character.has(RtfStyle::Hidden))
        m_paragraph.append(c, group.character);
}

void RtfRenderer::setMargin(int side, int twips) {
    PageMargins margins = m_document.margins();
    switch (MarginSide(side)) {
    case MarginSide::Left:
        margins.left = twips;
        break;
    case MarginSide::Right:
        margins.right = twips;
        break;
    case MarginSide::Top:
        margins.top = twips;
        break;
    case MarginSide::Bottom:
        margins.bottom = twips;
        break;
    }
    // The right and bottom edges follow from the margins the document accepted.
    m_document.setMargins(margins);
}

void RtfRenderer::controlWord(std::string_view word, std::optional<int> parameter) {
    if (inFallback())
        return;
    const RtfControlWord *entry = FindControlWord(word);
    if (!entry)
        return;
    RtfGroupState &group = m_groups.current();
    const int n = parameter.value_or(0);
    const bool inBody = group.destination == Destination::Body;
    switch (entry->action) {
    case RtfAction::Paragraph:
        // A paragraph mark inside a skipped destination (a header, a footer) is not the body's.
        if (inBody) {
            DrawParagraph(m_document, m_paragraph, group.paragraph, m_fonts, group.character);
            m_paragraph.clear();
        }
        break;
    case RtfAction::Page:
        if (inBody)
            m_document.newPage();
        break;
    case RtfAction::Destination:
        group.destination = Destination(entry->value);
        break;
    case RtfAction::DefaultFont:
        m_defaultFont = n;
        break;
    case RtfAction::Font:
        group.character.font = n;
        break;
    case RtfAction::FontSize:
        group.character.halfPoints = n;
        break;
    case RtfAction::FontFamily:
        m_fonts.setFamily(entry->value);
        break;
    case RtfAction::ParagraphDefaults:
        group.paragraph = RtfParaFormat{};
        break;
    case RtfAction::Plain:
        group.character = RtfCharFormat::plain(m_defaultFont);
        break;
    case RtfAction::Style:
        group.character.setStyle(unsigned(entry->value), n != 0 || !parameter);
        break;
    case RtfAction::Alignment:
        group.paragraph.alignment = TextAlignment(entry->value);
        break;
    case RtfAction::SpaceBefore:
        group.paragraph.spaceBefore = n;
        break;
    case RtfAction::SpaceAfter:
        group.paragraph.spaceAfter = n;
        break;
    case RtfAction::KeepTogether:
        group.paragraph.keepTogether = true;
        break;
    case RtfAction::KeepWithNext:
        group.paragraph.keepWithNext = true;
        break;
    case RtfAction::TabKind:
        group.paragraph.nextTabKind = TabKind(entry->value);
        break;
    case RtfAction::TabStop:
        group.paragraph.addTabStop(n);
        break;
    case RtfAction::Tab:
        insert(QChar(u'\t'));
        break;
    case RtfAction::Insert:
        insert(QChar(char16_t(entry->value)));
        break;
    case RtfAction::Margin:
        setMargin(entry->value, n);
        break;
    case RtfAction::Unicode:
        if (parameter && n >= -0x8000 && n <= 0xFFFF)
            text(QChar(char16_t(n < 0 ? n + 0x10000 : n)));
        m_fallbackLeft = group.unicodeFallback;
        break;
    case RtfAction::UnicodeSkip:
        group.unicodeFallback = std::max(n, 0);
        break;
    }
}

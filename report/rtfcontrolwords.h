#pragma once

// The control words the report renderer understands, as one sorted table. Each entry names
// what the word does and, where words share an action, the value it applies.

#include <string_view>

enum class RtfAction {
    Paragraph,         // \par
    Page,              // \page
    Destination,       // value: a Destination
    DefaultFont,       // \deff N
    Font,              // \f N
    FontSize,          // \fs N, in half-points
    FontFamily,        // value: family code of the font-table entry being read
    ParagraphDefaults, // \pard
    Plain,             // \plain
    Style,             // value: an RtfStyle bit; N = 0 clears it, no N or any other sets it
    Alignment,         // value: a TextAlignment
    SpaceBefore,       // \sb N
    SpaceAfter,        // \sa N
    KeepTogether,      // \keep
    KeepWithNext,      // \keepn
    TabKind,           // value: the TabKind of the next \tx
    TabStop,           // \tx N
    Tab,               // \tab
    Insert,            // value: the character to insert (\bullet, \lquote, \rquote)
    Margin,            // value: a MarginSide; N twips
    Unicode,           // \u N: the UTF-16 unit N (negative from 32768 up), then its fallback
    UnicodeSkip,       // \uc N: how many characters stand as each \u's fallback
};

enum class MarginSide { Left, Right, Top, Bottom };

struct RtfControlWord {
    std::string_view name;
    RtfAction action;
    int value = 0;
};

// The table entry of a word, or null for a word the renderer skips.
const RtfControlWord *FindControlWord(std::string_view name);

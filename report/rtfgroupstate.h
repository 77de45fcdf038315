#pragma once

// The state in force inside one brace level of an RTF text, grouped by the control word that
// resets it: the character format (\plain) and the paragraph format (\pard), plus the
// destination that says where the group's text goes.

#include "reportfont.h"

#include <vector>

// Style bits of a character format.
namespace RtfStyle {
constexpr unsigned Bold = 1;
constexpr unsigned Underline = 2;
constexpr unsigned Italic = 4;
constexpr unsigned Hidden = 8;
} // namespace RtfStyle

// The format of one character; \plain resets it.
struct RtfCharFormat {
    int font = 0;       // number in the font table
    int halfPoints = 0; // size; 0 until \fs or \plain gives one
    unsigned style = 0; // RtfStyle bits

    bool has(unsigned bit) const { return (style & bit) != 0; }
    void setStyle(unsigned bit, bool on) { style = on ? style | bit : style & ~bit; }
    // Twelve points in the default font, as RTF defines \plain.
    static RtfCharFormat plain(int defaultFont) { return {defaultFont, 24, 0}; }

    friend bool operator==(const RtfCharFormat &, const RtfCharFormat &) = default;
};

enum class TabKind { Left, Centre, Right };

struct TabStop {
    int position = 0; // twips from the left margin
    TabKind kind = TabKind::Left;

    friend bool operator==(const TabStop &, const TabStop &) = default;
};

// The paragraph properties; \pard resets them.
struct RtfParaFormat {
    TextAlignment alignment = TextAlignment::Left;
    int spaceBefore = 0; // twips
    int spaceAfter = 0;  // twips
    // Recorded for completeness; pagination does not look at them.
    bool keepTogether = false;
    bool keepWithNext = false;
    TabKind nextTabKind = TabKind::Left; // the kind the next \tx gives its stop
    std::vector<TabStop> tabStops;       // in the order written

    // Far more stops than a paragraph uses; the bound keeps what every "{" copies small.
    static constexpr std::size_t MaximumTabStops = 64;
    // Adds a stop of the pending kind at `position` and makes the pending kind left again.
    void addTabStop(int position);
};

enum class Destination {
    Body,
    Header,
    Footer,
    FontTable,
    ColorTable,
    StyleSheet,
    Picture,
    Info,
    Ignorable, // a group marked "\*"
};

struct RtfGroupState {
    RtfCharFormat character;
    RtfParaFormat paragraph;
    Destination destination = Destination::Body;
    int unicodeFallback = 1; // \ucN: the characters after a \uN that readers without it show
};

// The states of the open groups: "{" copies the innermost, "}" drops it. A "}" without its
// "{" is ignored. Nesting deeper than MaximumDepth shares the innermost state, so hostile input
// cannot make the stack grow without bound; the extra braces are still counted and matched.
class RtfGroupStack {
public:
    static constexpr std::size_t MaximumDepth = 512;

    RtfGroupStack() : m_states(1) {}

    RtfGroupState &current() { return m_states.back(); }
    const RtfGroupState &current() const { return m_states.back(); }
    // Open groups, not counting the outermost state.
    std::size_t depth() const { return m_states.size() - 1 + m_excess; }

    void push();
    void pop();

private:
    std::vector<RtfGroupState> m_states;
    std::size_t m_excess = 0;
};

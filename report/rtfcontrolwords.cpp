#include "rtfcontrolwords.h"

#include "rtfgroupstate.h"

#include <algorithm>
#include <array>

namespace {

constexpr int value(Destination destination) {
    return int(destination);
}
constexpr int value(TextAlignment alignment) {
    return int(alignment);
}
constexpr int value(TabKind kind) {
    return int(kind);
}
constexpr int value(MarginSide side) {
    return int(side);
}

using A = RtfAction;

// Sorted by name for the binary search; the static_asserts below keep it so.
constexpr std::array Words = {
    RtfControlWord{"b", A::Style, RtfStyle::Bold},
    RtfControlWord{"bullet", A::Insert, u'-'},
    RtfControlWord{"colortbl", A::Destination, value(Destination::ColorTable)},
    RtfControlWord{"deff", A::DefaultFont},
    RtfControlWord{"f", A::Font},
    RtfControlWord{"fmodern", A::FontFamily, 48},
    RtfControlWord{"fnil", A::FontFamily, 0},
    RtfControlWord{"fonttbl", A::Destination, value(Destination::FontTable)},
    RtfControlWord{"footer", A::Destination, value(Destination::Footer)},
    RtfControlWord{"froman", A::FontFamily, 16},
    RtfControlWord{"fs", A::FontSize},
    RtfControlWord{"fscript", A::FontFamily, 64},
    RtfControlWord{"fswiss", A::FontFamily, 32},
    RtfControlWord{"header", A::Destination, value(Destination::Header)},
    RtfControlWord{"i", A::Style, RtfStyle::Italic},
    RtfControlWord{"info", A::Destination, value(Destination::Info)},
    RtfControlWord{"keep", A::KeepTogether},
    RtfControlWord{"keepn", A::KeepWithNext},
    RtfControlWord{"lquote", A::Insert, u'\''},
    RtfControlWord{"margb", A::Margin, value(MarginSide::Bottom)},
    RtfControlWord{"margl", A::Margin, value(MarginSide::Left)},
    RtfControlWord{"margr", A::Margin, value(MarginSide::Right)},
    RtfControlWord{"margt", A::Margin, value(MarginSide::Top)},
    RtfControlWord{"page", A::Page},
    RtfControlWord{"par", A::Paragraph},
    RtfControlWord{"pard", A::ParagraphDefaults},
    RtfControlWord{"pict", A::Destination, value(Destination::Picture)},
    RtfControlWord{"plain", A::Plain},
    RtfControlWord{"qc", A::Alignment, value(TextAlignment::Centre)},
    RtfControlWord{"qj", A::Alignment, value(TextAlignment::Justified)},
    RtfControlWord{"ql", A::Alignment, value(TextAlignment::Left)},
    RtfControlWord{"qr", A::Alignment, value(TextAlignment::Right)},
    RtfControlWord{"rquote", A::Insert, u'\''},
    RtfControlWord{"sa", A::SpaceAfter},
    RtfControlWord{"sb", A::SpaceBefore},
    RtfControlWord{"stylesheet", A::Destination, value(Destination::StyleSheet)},
    RtfControlWord{"tab", A::Tab},
    RtfControlWord{"tqc", A::TabKind, value(TabKind::Centre)},
    RtfControlWord{"tqr", A::TabKind, value(TabKind::Right)},
    RtfControlWord{"tx", A::TabStop},
    RtfControlWord{"u", A::Unicode},
    RtfControlWord{"uc", A::UnicodeSkip},
    RtfControlWord{"ul", A::Style, RtfStyle::Underline},
    RtfControlWord{"v", A::Style, RtfStyle::Hidden},
};

static_assert(std::ranges::is_sorted(Words, {}, &RtfControlWord::name),
              "control words must stay sorted by name");
static_assert(std::ranges::adjacent_find(Words, {}, &RtfControlWord::name) == Words.end(),
              "control words must be unique");

} // namespace

const RtfControlWord *FindControlWord(std::string_view name) {
    const auto it = std::ranges::lower_bound(Words, name, {}, &RtfControlWord::name);
    return it != Words.end() && it->name == name ? &*it : nullptr;
}

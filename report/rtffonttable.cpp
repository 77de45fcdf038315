#include "rtffonttable.h"

void RtfFontTable::completeEntry(int index) {
    m_fonts.insert(index, RtfFont{index, m_name, m_family});
    m_name.clear();
    m_family = 0;
}

const RtfFont *RtfFontTable::find(int index) const {
    const auto it = m_fonts.constFind(index);
    return it == m_fonts.cend() ? nullptr : &it.value();
}

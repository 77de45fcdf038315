#include "rtfgroupstate.h"

void RtfParaFormat::addTabStop(int position) {
    if (tabStops.size() < MaximumTabStops)
        tabStops.push_back({position, nextTabKind});
    nextTabKind = TabKind::Left;
}

void RtfGroupStack::push() {
    if (m_states.size() > MaximumDepth) {
        ++m_excess;
        return;
    }
    m_states.push_back(m_states.back());
}

void RtfGroupStack::pop() {
    if (m_excess > 0)
        --m_excess;
    else if (m_states.size() > 1)
        m_states.pop_back();
}

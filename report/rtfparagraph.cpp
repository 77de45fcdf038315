#include "rtfparagraph.h"

#include <algorithm>

void RtfParagraph::append(QChar c, const RtfCharFormat &format) {
    if (m_spans.empty() || !(m_spans.back().format == format))
        m_spans.push_back({m_text.size(), format});
    m_text.append(c);
}

void RtfParagraph::clear() {
    m_text.clear();
    m_spans.clear();
}

RtfCharFormat RtfParagraph::formatAt(qsizetype index) const {
    const auto after =
        std::upper_bound(m_spans.begin(), m_spans.end(), index,
                         [](qsizetype i, const Span &span) { return i < span.start; });
    return after == m_spans.begin() ? RtfCharFormat{} : std::prev(after)->format;
}

std::vector<RtfRun> RtfParagraph::runs(const RtfCharFormat &endFormat) const {
    std::vector<RtfRun> result;
    const qsizetype size = m_text.size();
    qsizetype start = 0;
    for (;;) {
        RtfRun run;
        run.start = start;
        run.format = start < size ? formatAt(start) : size > 0 ? formatAt(size - 1) : endFormat;
        qsizetype end = start;
        while (end < size && m_text.at(end) != u'\t' && formatAt(end) == run.format)
            ++end;
        run.length = end - start;
        if (end == size) {
            run.last = true;
            result.push_back(run);
            return result;
        }
        if (m_text.at(end) == u'\t') {
            run.tabFollows = true;
            run.tabUnderlined = formatAt(end).has(RtfStyle::Underline);
            start = end + 1;
        } else {
            start = end;
        }
        result.push_back(run);
    }
}

#pragma once

// The characters of the paragraph being read, each with its character format, and their
// division into runs that can be written in one font.

#include "rtfgroupstate.h"

#include <QString>
#include <vector>

struct RtfRun {
    qsizetype start = 0;
    qsizetype length = 0;
    RtfCharFormat format;
    bool tabFollows = false;    // a tab character comes right after the run
    bool tabUnderlined = false; // ... and it is underlined
    bool last = false;          // the run that ends the paragraph
};

class RtfParagraph {
public:
    void append(QChar c, const RtfCharFormat &format);
    void clear();
    bool isEmpty() const { return m_text.isEmpty(); }
    const QString &text() const { return m_text; }
    RtfCharFormat formatAt(qsizetype index) const;

    // A run ends before a character of another format, before a tab and at the end. A tab is
    // never part of a run. The last run, written as the end of the paragraph, is always there:
    // it is empty for an empty paragraph (taking `endFormat`) and after a closing tab (taking
    // the tab's format), so that every paragraph finishes its line.
    std::vector<RtfRun> runs(const RtfCharFormat &endFormat) const;

private:
    struct Span {
        qsizetype start;
        RtfCharFormat format;
    };

    QString m_text;
    std::vector<Span> m_spans; // where the format changes; one format per stretch of characters
};

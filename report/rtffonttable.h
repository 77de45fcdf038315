#pragma once

// The font table of an RTF text: entries "{\f1\fswiss Arial;}" read character by character.

#include <QChar>
#include <QHash>
#include <QString>

// One entry: the number given by "\f", the name up to the ";" and the family code.
struct RtfFont {
    int index = 0;
    QString name;
    int family = 0; // 0 \fnil, 16 \froman, 32 \fswiss, 48 \fmodern, 64 \fscript
};

class RtfFontTable {
public:
    // The entry being read.
    void setFamily(int family) { m_family = family; }
    void addNameCharacter(QChar c) { m_name.append(c); }
    // The ";" that ends an entry: the name and family read so far become the font of this
    // number, replacing an earlier entry of the same number.
    void completeEntry(int index);

    // The font of a number, or null when the table has none.
    const RtfFont *find(int index) const;
    int size() const { return int(m_fonts.size()); }

private:
    QHash<int, RtfFont> m_fonts;
    QString m_name;
    int m_family = 0;
};

#include "jsonkeys.h"

#include <QSet>
#include <algorithm>
#include <vector>

namespace {

QChar escaped(char code) {
    switch (code) {
    case 'b':
        return QChar(u'\b');
    case 'f':
        return QChar(u'\f');
    case 'n':
        return QChar(u'\n');
    case 'r':
        return QChar(u'\r');
    case 't':
        return QChar(u'\t');
    default: // '"', '\\' and '/' stand for themselves
        return QLatin1Char(code);
    }
}

// The decoded string whose opening quote is at `at`; `at` moves past its closing quote. A text
// cut short ends the string there.
QString readString(const QByteArray &json, qsizetype &at) {
    QString text;
    qsizetype start = ++at;
    while (at < json.size() && json.at(at) != '"') {
        if (json.at(at) != '\\' || at + 1 == json.size()) {
            ++at;
            continue;
        }
        text += QString::fromUtf8(json.constData() + start, at - start);
        const char code = json.at(at + 1);
        at += 2;
        if (code == 'u') {
            // A character outside the basic plane is a pair of these, which QString joins.
            text += QChar(char16_t(json.mid(at, 4).toUShort(nullptr, 16)));
            at += 4;
        } else {
            text += escaped(code);
        }
        start = at;
    }
    text += QString::fromUtf8(json.constData() + start,
                              std::max<qsizetype>(0, std::min(at, json.size()) - start));
    ++at;
    return text;
}

struct OpenValue {
    bool object = false;
    bool expectingKey = false;
    QString name;    // the key this object or array stands under
    QString lastKey; // of an object
    QSet<QString> keys;
};

} // namespace

std::optional<RepeatedKey> FindRepeatedKey(const QByteArray &json) {
    std::vector<OpenValue> open;
    for (qsizetype at = 0; at < json.size();) {
        const char c = json.at(at);
        if (c == '"') {
            const QString text = readString(json, at);
            if (open.empty() || !open.back().object || !open.back().expectingKey)
                continue;
            OpenValue &object = open.back();
            if (object.keys.contains(text))
                return RepeatedKey{text, object.name};
            object.keys.insert(text);
            object.lastKey = text;
            continue;
        }
        if (c == '{' || c == '[') {
            QString name;
            if (!open.empty())
                name = open.back().object ? open.back().lastKey : open.back().name;
            open.push_back({c == '{', c == '{', name, {}, {}});
        } else if ((c == '}' || c == ']') && !open.empty()) {
            open.pop_back();
        } else if (c == ',' && !open.empty()) {
            open.back().expectingKey = open.back().object;
        } else if (c == ':' && !open.empty()) {
            open.back().expectingKey = false;
        }
        ++at;
    }
    return std::nullopt;
}

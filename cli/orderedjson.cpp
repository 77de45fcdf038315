#include "orderedjson.h"

OrderedJson &OrderedJson::add(const QString &key, const QString &text) {
    return addRaw(key, quote(text));
}

OrderedJson &OrderedJson::add(const QString &key, int number) {
    return addRaw(key, QString::number(number));
}

OrderedJson &OrderedJson::add(const QString &key, bool flag) {
    return addRaw(key, flag ? QStringLiteral("true") : QStringLiteral("false"));
}

OrderedJson &OrderedJson::add(const QString &key, const OrderedJson &object) {
    return addRaw(key, object.text());
}

OrderedJson &OrderedJson::addArray(const QString &key, const QStringList &items) {
    return addRaw(key, QLatin1Char('[') + items.join(QLatin1Char(',')) + QLatin1Char(']'));
}

QString OrderedJson::text() const {
    return QLatin1Char('{') + m_members.join(QLatin1Char(',')) + QLatin1Char('}');
}

OrderedJson &OrderedJson::addRaw(const QString &key, const QString &json) {
    m_members.append(quote(key) + QLatin1Char(':') + json);
    return *this;
}

QString OrderedJson::quote(const QString &text) {
    QByteArray json;
    appendQuoted(json, text);
    return QString::fromUtf8(json);
}

void OrderedJson::appendQuoted(QByteArray &json, QStringView text) {
    json += '"';
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char16_t ch = text.at(index).unicode();
        if (ch >= 0x80) {
            // A run of characters beyond ASCII, surrogate pairs kept together, goes to UTF-8.
            qsizetype end = index + 1;
            while (end < text.size() && text.at(end).unicode() >= 0x80)
                ++end;
            json += text.sliced(index, end - index).toUtf8();
            index = end - 1;
            continue;
        }
        switch (ch) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (ch < 0x20)
                json += QStringLiteral("\\u%1").arg(int(ch), 4, 16, QLatin1Char('0')).toLatin1();
            else
                json += char(ch);
        }
    }
    json += '"';
}

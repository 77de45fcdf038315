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
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted += QLatin1Char('"');
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '"':
            quoted += QStringLiteral("\\\"");
            break;
        case '\\':
            quoted += QStringLiteral("\\\\");
            break;
        case '\n':
            quoted += QStringLiteral("\\n");
            break;
        case '\r':
            quoted += QStringLiteral("\\r");
            break;
        case '\t':
            quoted += QStringLiteral("\\t");
            break;
        default:
            if (ch.unicode() < 0x20)
                quoted += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
            else
                quoted += ch;
        }
    }
    quoted += QLatin1Char('"');
    return quoted;
}

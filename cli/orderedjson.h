#pragma once

// A JSON object text whose keys keep the order they are added in (QJsonObject sorts them, and
// rmdbatch prints report fields in slot order).

#include <QByteArray>
#include <QString>
#include <QStringList>

class OrderedJson {
public:
    OrderedJson &add(const QString &key, const QString &text);
    OrderedJson &add(const QString &key, int number);
    OrderedJson &add(const QString &key, bool flag);
    OrderedJson &add(const QString &key, const OrderedJson &object);
    // `items` are JSON texts already (objects made by OrderedJson, for instance).
    OrderedJson &addArray(const QString &key, const QStringList &items);
    QString text() const;

    static QString quote(const QString &text);
    // quote() of the text appended to a JSON text in UTF-8, without a string between.
    static void appendQuoted(QByteArray &json, QStringView text);

private:
    OrderedJson &addRaw(const QString &key, const QString &json);
    QStringList m_members;
};

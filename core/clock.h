#pragma once

// "Today" for the whole system. Calculators receive the date as a value; only the application
// and rmdbatch hold a Clock, so tests and batch runs can fix the date.

#include <QDateTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime moment) : m_moment(std::move(moment)) {}
    explicit FixedClock(QDate day) : m_moment(day, QTime(12, 0)) {}
    QDateTime now() const override { return m_moment; }

private:
    QDateTime m_moment;
};

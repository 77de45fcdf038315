#include "batchprogress.h"

#include <QString>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int LineEvery = 100;
constexpr int BarWidth = 30;
constexpr qint64 RedrawMs = 100; // a terminal redrawn for every report would slow the run

} // namespace

BatchProgress::BatchProgress(int total) : m_total(total), m_terminal(isatty(fileno(stderr))) {
    m_clock.start();
}

void BatchProgress::step() {
    ++m_done;
    const double seconds = double(m_clock.elapsed()) / 1000.0;
    const double rate = seconds > 0 ? m_done / seconds : 0;
    if (!m_terminal) {
        if (m_done % LineEvery == 0)
            std::fprintf(stderr, "rmdbatch: %d of %d illustrations (%.1f a second)\n", m_done,
                         m_total, rate);
        return;
    }
    if (m_done < m_total && m_shownAt >= 0 && m_clock.elapsed() - m_shownAt < RedrawMs)
        return;
    m_shownAt = m_clock.elapsed();
    const int filled = m_total > 0 ? BarWidth * m_done / m_total : BarWidth;
    const QString bar = QString(filled, QLatin1Char('#')) + QString(BarWidth - filled, '.');
    std::fprintf(stderr, "\r[%s] %d/%d  %.1f/s", bar.toLatin1().constData(), m_done, m_total, rate);
    std::fflush(stderr);
}

void BatchProgress::finish() {
    if (m_terminal && m_shownAt >= 0)
        std::fputc('\n', stderr);
}

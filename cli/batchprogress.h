#pragma once

// Progress of a long rmdbatch run on stderr: a bar with the count and the rate while stderr is
// a terminal, else one line per hundred illustrations (a log file stays readable).

#include <QElapsedTimer>

class BatchProgress {
public:
    explicit BatchProgress(int total);
    void step(); // one more illustration done
    void finish();

private:
    int m_total;
    int m_done = 0;
    bool m_terminal;
    QElapsedTimer m_clock;
    qint64 m_shownAt = -1;
};

#pragma once

#include <algorithm>

// What a run of reports keeps between them (measured widths, shaped texts, fonts, pictures) is
// kept for this many reports: enough for a run that takes its calculators in turn, each with a
// template and pictures of its own, and few enough that a run's memory does not grow with its
// length.
constexpr int KeptReports = 8;

// Counts the reports of a run, so that an entry can tell when it was last used.
class ReportGenerations {
public:
    int current() const { return m_current; }
    // Whether an entry last used in report `lastUsed` is to be let go as this report ends.
    bool stale(int lastUsed) const { return lastUsed <= m_current - KeptReports; }
    void next() { ++m_current; }
    // Lets go of the entries (each with its `lastUsed`) of a sequence or a QHash that are stale.
    template <typename Entries> void forgetStale(Entries &entries) const {
        if constexpr (requires { entries.removeIf([](const auto &) { return false; }); })
            entries.removeIf([this](const auto &entry) { return stale(entry.value().lastUsed); });
        else
            entries.erase(
                std::remove_if(entries.begin(), entries.end(),
                               [this](const auto &entry) { return stale(entry.lastUsed); }),
                entries.end());
    }

private:
    int m_current = 0;
};

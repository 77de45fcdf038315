#include "windowcaption.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<const char *, 4> OptionCaptions{
    "Planholder Required Minimum Distribution Calculator",
    "Required Minimum Beneficiary Distribution Calculator",
    "Substantially Equal Periodic Payments",
    "Stretch IRA Concept",
};

// Applied in this order, each to its first occurrence only.
constexpr std::array<std::pair<const char *, const char *>, 4> Shortenings{{
    {"Required ", "R"},
    {"Minimum ", "M"},
    {"Distribution", "D"},
    {"Beneficiary ", "B"},
}};

} // namespace

QString CalculatorOptionCaption(Calculator calculator) {
    return QLatin1String(OptionCaptions[std::size_t(CalculatorNumber(calculator))]);
}

QString ShortenedCaption(const QString &optionCaption) {
    QString caption = optionCaption;
    for (const auto &[word, letter] : Shortenings) {
        const QLatin1String found(word);
        const qsizetype at = caption.indexOf(found);
        if (at >= 0)
            caption.replace(at, found.size(), QLatin1String(letter));
    }
    return caption;
}

QString MainWindowCaption(Calculator calculator) {
    return ShortenedCaption(CalculatorOptionCaption(calculator));
}

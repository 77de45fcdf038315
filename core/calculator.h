#pragma once

// The four calculators. The number of each is the index of its tab and of its start-up option,
// and the digit its records carry.

#include <optional>

enum class Calculator { Rmd = 0, Rmbd = 1, Sepp = 2, Stretch = 3 };

constexpr int CalculatorCount = 4;

constexpr int CalculatorNumber(Calculator calculator) {
    return static_cast<int>(calculator);
}

// The calculator of a number from 0 to 3; none for any other number.
constexpr std::optional<Calculator> CalculatorFromNumber(int number) {
    if (number < 0 || number >= CalculatorCount)
        return std::nullopt;
    return static_cast<Calculator>(number);
}

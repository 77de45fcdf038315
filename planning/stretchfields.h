#pragma once

// Reading the Stretch tab's fields, shared by its checks, its projection and its buttons.

#include "illustration.h"
#include "lifetables.h"
#include "numbertext.h"

#include <algorithm>

namespace StretchFields {

inline int wholeYears(const Illustration &illustration, const char *tag) {
    return int(NumberText::Int(NumberText::Val(FieldText(illustration, tag))));
}

inline int ageOn(const QDate &birth, const QDate &asOf) {
    return std::max(0, CALCULATEAGE(birth, asOf, 0));
}

// Life expectancies and birth years reach back this many years.
constexpr int LongestLife = 99;

} // namespace StretchFields

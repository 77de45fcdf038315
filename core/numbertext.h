#pragma once

// Number semantics the calculators and reports rely on. They follow the conventions of the
// Visual Basic runtime the system was first written for, because stored illustrations, report
// texts and message texts were produced by those rules: Str gives non-negative numbers a
// leading blank, Val reads a text's leading number, Format applies a picture such as
// "##,###,##0.00" and rounds half away from zero, and single-precision values print with seven
// significant digits.

#include <QString>
#include <concepts>

namespace NumberText {

// Number to text with the sign position: " 12.5" for 12.5, "-3" for -3. Doubles print with up
// to 15 significant digits, floats with up to 7, never in exponent form for the magnitudes the
// system handles (below 1e15); from 1e15 on they take VB's exponent form, " 1.5E+20".
QString Str(double value);
QString Str(float value);
// Whole numbers (ages, years) go through the double overload; without this an int argument would
// be ambiguous between double and float. Format has the same overload.
template <std::integral T> QString Str(T value) {
    return Str(static_cast<double>(value));
}

// The numeric value of the text's leading number: blanks, tabs and line feeds are skipped
// wherever they stand, then an optional sign, digits, one ".", digits and an optional exponent
// ("E" or "D"); reading stops at the first other character. No number gives 0, a number beyond
// the double range gives infinity.
double Val(const QString &text);

// True when the whole text, blanks around it aside, is one number. A "$" before the digits and
// "," between them are accepted, as for amounts typed into a dollar field; the sign may stand
// before or after the "$", and an exponent is read as Val reads it.
bool IsNumeric(const QString &text);

// The value of a text that IsNumeric accepts ("$1,234.60" gives 1234.6); 0 otherwise.
double NumericValue(const QString &text);

// Picture formatting: "0" a required digit, "#" an optional digit, "," (anywhere in the integer
// part) thousands grouping, "." the decimal point. The value is rounded half away from zero to
// the picture's decimals, using its shortest decimal form (15 significant digits for a double,
// 7 for a float) so that 1.005 formats as "1.01". A picture whose decimals are all optional
// drops trailing zeros and, with no decimals left, the point too. Negative values get "-",
// unless they round to zero. Other picture characters are ignored.
QString Format(double value, const QString &picture);
QString Format(float value, const QString &picture);
template <std::integral T> QString Format(T value, const QString &picture) {
    return Format(static_cast<double>(value), picture);
}

// Rounding to the given decimals with halves going to the even neighbour (banker's rounding),
// judged on the value's shortest decimal form: 2.5 -> 2, 3.5 -> 4, 0.125 (2 decimals) -> 0.12.
double RoundHalfEven(double value, int decimals = 0);

// The integer part as Visual Basic's Int gives it: the largest whole number not above value.
double Int(double value);

// Conversion to single precision, as a 32-bit float variable holds it.
float Single(double value);

} // namespace NumberText

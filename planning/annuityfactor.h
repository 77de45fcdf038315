#pragma once

// The fixed annuitization method's annuity-due factor (Rev. Rul. 2002-62, Appendix B mortality).

#include <array>

using MortalityTable = std::array<double, 116>;

// The one-year death probabilities q(x) for ages 0 to 115.
void FillMortalityTable(MortalityTable &q);

// The annuity-due factor at `age` and `rate` (a fraction: 0.0298 for 2.98%), in single
// precision. -1000 for an age outside 0 to 114, -2000 for a rate below 0 or above 0.12.
float AnnuityFactor(int age, double rate);

// Notice 2022-6, section 2.02(c): the annuity factor of a series starting in 2023 or later, from
// the mortality rates of Treas. Reg. 1.401(a)(9)-9(e) (ages to 120), as a curtate
// annuity-immediate: the first payment a year on. The Notice's example, age 50 at 4%, is
// 18.1568. -1000 for an age outside 0 to 119, -2000 for a rate outside 0 to 0.12.
float AnnuityFactor2022(int age, double rate);

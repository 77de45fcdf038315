#pragma once

// Ages and life-expectancy factors of the US federal tables, behind the six operations the
// calculators call. The plain operations use the tables of the final regulations of April 2002
// (T.D. 8987; IRS Publication 590 Tables I, II and III); the 2001 operations use those of the
// proposed regulations of January 2001 (Treas. Reg. 1.72-9 Tables V and VI and the 2001 Uniform
// Table). Table data lives in data/life_tables and is compiled in as a Qt resource.

#include <QDate>
#include <QString>
#include <vector>

// Whole years of age on asOf. A birthday of February 29 falls on February 28 in a common year.
// The result is negative when asOf lies before the birth date; callers replace that by 0.
// `unused` is passed as 0 by every caller.
int CALCULATEAGE(const QDate &birth, const QDate &asOf, int unused = 0);

// The date, as "MM/DD/YYYY", on which the person reaches age + 1/2: six calendar months after
// the birthday of that age (a February 29 birthday falls on February 28 in a common year; a day
// the sixth month lacks becomes its last day).
QString CALCDATEHALFAGE(const QDate &birth, int age);

// Single life expectancy at firstAge, less one for each year by which currentAge exceeds it
// (no recalculation). `unused` is 0 at every call site. Ages outside the table take its first or
// last row. The result may be zero or negative far past firstAge; callers decide what that means.
float RMDSINGLEFACTOR(int unused, int firstAge, int currentAge);
float RMDSINGLEFACTOR2001(int unused, int firstAge, int currentAge);

// flag 0: Uniform Lifetime factor of ownerAge.
// flag -1: Joint and Last Survivor factor of both ages when the beneficiary is more than
//          10 years younger (ownerAge - beneficiaryAge > 10), else the Uniform Lifetime factor.
// flag 2: Joint and Last Survivor factor of both ages.
// Below the uniform table's first age the uniform factor is the joint factor of the age and the
// age ten years younger (Rev. Rul. 2002-62 Appendix A extends the table this way for 72(t)).
// Any other flag throws FatalError.
float RMDJOINTFACTOR(int ownerAge, int beneficiaryAge, int flag);
float RMDJOINTFACTOR2001(int ownerAge, int beneficiaryAge, int flag);

// The editions by name, for the rules that choose one by year (current law: the 2022 tables of
// T.D. 9930, Treas. Reg. 1.401(a)(9)-9 as amended, for distribution years 2022 and later).
enum class LifeTableEdition { Proposed2001, Final2002, Final2022 };

// RMDSINGLEFACTOR and RMDJOINTFACTOR of an edition. Below the uniform table's first age the
// factor is Joint(age, age - 10): for the 2022 edition exactly the Uniform Lifetime Table of
// Notice 2022-6 Appendix A (ages 10 and up).
float SingleFactor(LifeTableEdition edition, int firstAge, int currentAge);
float JointFactor(LifeTableEdition edition, int ownerAge, int beneficiaryAge, int flag);

// The 2022 mortality rates q(x) of Treas. Reg. 1.401(a)(9)-9(e), ages 0 to 120, which Notice
// 2022-6 prescribes for the fixed annuitization method.
const std::vector<double> &MortalityRates2022();

#include "annuityfactor.h"

#include "lifetables.h"

namespace {

constexpr int LastAge = 115;
constexpr float AgeOutOfRange = -1000;
constexpr float RateOutOfRange = -2000;
constexpr double HighestRate = 0.12;

// Rev. Rul. 2002-62, Appendix B: the mortality table required for the fixed annuitization
// method, q(x) for ages 0 to 115 (10 a row). Everybody alive at 115 dies within the year.
constexpr MortalityTable AppendixB = {
    0.001982, 0.000802, 0.000433, 0.000337, 0.000284, 0.000248, 0.000221, 0.000201, 0.000222,
    0.000241, // 0
    0.000259, 0.000277, 0.000292, 0.000306, 0.000318, 0.000331, 0.000344, 0.000359, 0.000375,
    0.000392, // 10
    0.000411, 0.000432, 0.000454, 0.000476, 0.000501, 0.000524, 0.000547, 0.000567, 0.000584,
    0.000598, // 20
    0.000608, 0.000615, 0.000619, 0.000622, 0.000625, 0.000629, 0.000636, 0.000657, 0.000696,
    0.000749, // 30
    0.000818, 0.000904, 0.001007, 0.00113,  0.00127,  0.001426, 0.001597, 0.001783, 0.001979,
    0.002187, // 40
    0.002409, 0.002646, 0.002896, 0.003167, 0.003453, 0.003754, 0.004069, 0.004398, 0.004736,
    0.005101, // 50
    0.005509, 0.005975, 0.006512, 0.007137, 0.007854, 0.00867,  0.009591, 0.01062,  0.011778,
    0.013072, // 60
    0.014519, 0.016139, 0.01795,  0.019958, 0.022198, 0.024699, 0.027484, 0.030582, 0.03401,
    0.037807, // 70
    0.04201,  0.046652, 0.051766, 0.057392, 0.063583, 0.070397, 0.077892, 0.086124, 0.095238,
    0.105068, // 80
    0.115518, 0.126487, 0.137876, 0.149419, 0.161176, 0.173067, 0.185008, 0.19692,  0.210337,
    0.224861, // 90
    0.241017, 0.259334, 0.280356, 0.303142, 0.329482, 0.359886, 0.394865, 0.434933, 0.480599,
    0.532376,                                              // 100
    0.590774, 0.656307, 0.729484, 0.810817, 0.900819, 1.0, // 110
};

} // namespace

void FillMortalityTable(MortalityTable &q) {
    q = AppendixB;
}

float AnnuityFactor(int age, double rate) {
    if (age < 0 || age >= LastAge)
        return AgeOutOfRange;
    if (rate < 0 || rate > HighestRate)
        return RateOutOfRange;

    MortalityTable q;
    FillMortalityTable(q);
    // Annuity due: the first payment is made at once, so the sum starts at `age` with survival
    // and discount both 1. q(115) never enters: nobody reaches 116.
    double survival = 1;
    double discount = 1;
    double factor = 1;
    for (int k = age + 1; k <= LastAge; ++k) {
        survival *= 1 - q[k - 1];
        discount /= 1 + rate;
        factor += survival * discount;
    }
    return static_cast<float>(factor);
}

float AnnuityFactor2022(int age, double rate) {
    const std::vector<double> &q = MortalityRates2022();
    const int lastAge = int(q.size()) - 1;
    if (age < 0 || age >= lastAge)
        return AgeOutOfRange;
    if (rate < 0 || rate > HighestRate)
        return RateOutOfRange;
    // The table ends at 120: nobody is counted alive past it.
    double survival = 1;
    double discount = 1;
    double factor = 0;
    for (int k = age + 1; k <= lastAge; ++k) {
        survival *= 1 - q[size_t(k - 1)];
        discount /= 1 + rate;
        factor += survival * discount;
    }
    return static_cast<float>(factor);
}

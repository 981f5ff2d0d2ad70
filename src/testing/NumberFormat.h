// Rounding to one decimal, the integer part, and numbers as the result lines write them.
#pragma once

#include <QString>

// Divides by the double nearest 0.1 in extended precision, rounds ties to even and
// multiplies back, so 2.25 -> 2.2, 2.45 -> 2.5, 0.75 -> 0.7.
double roundOneDecimal(double value);
// Truncation toward zero.
long long integerPart(double value);
// General format, up to 15 significant digits, no trailing zeros, no grouping.
QString numberText(double value);

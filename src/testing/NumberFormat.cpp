// Number rounding and formatting shared by every scoring path.
#include "NumberFormat.h"

#include <cfenv>
#include <cmath>

double roundOneDecimal(double value)
{
    const long double tenth = static_cast<long double>(0.1);
    const long double quotient = static_cast<long double>(value) / tenth;
    // nearbyintl follows the current rounding mode, which is ties-to-even by default.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long double rounded = std::nearbyintl(quotient);
    std::fesetround(saved);
    return static_cast<double>(rounded * tenth);
}

long long integerPart(double value)
{
    return static_cast<long long>(std::trunc(value));
}

QString numberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

// Temperament typing by thresholds (tests 40-43).
#include "TemperamentTyping.h"

std::optional<TemperamentThresholds> temperamentThresholds(int hmid)
{
    switch (hmid) {
    case 40: return TemperamentThresholds{3.8L, 3.8L, 3.7L, 4.3L, 4.1L};
    case 41: return TemperamentThresholds{3.6L, 4.1L, 4.2L, 4.8L, 3.9L};
    case 42: return TemperamentThresholds{4.0L, 3.9L, 3.7L, 5.1L, 4.1L};
    case 43: return TemperamentThresholds{3.8L, 3.7L, 3.7L, 4.3L, 3.6L};
    default: return std::nullopt;
    }
}

QString temperamentLabel(const FactorTable& factors, const TemperamentThresholds& t)
{
    // below[k] for factor k + 2: the average is below its threshold.
    bool below[5];
    for (int k = 0; k < 5; ++k)
        below[k] = static_cast<long double>(factors.at(k + 1).average) < t[k];
    const bool allBelow = below[0] && below[1] && below[2] && below[3] && below[4];
    const bool noneBelow = !below[0] && !below[1] && !below[2] && !below[3] && !below[4];
    if (allBelow)
        return QStringLiteral("平易型:");
    if (noneBelow)
        return QStringLiteral("麻烦型:");
    // Factor 2 plays no part in the slow-to-warm type.
    if (!below[1] && !below[2] && below[3] && !below[4])
        return QStringLiteral("缓动型:");
    if (below[3])
        return QStringLiteral("中间平易型:");
    return QStringLiteral("中间麻烦型:");
}

QString temperamentConclusion(const FactorTable& factors, const TemperamentThresholds& t)
{
    const QString label = temperamentLabel(factors, t);
    return label + temperamentAdvice(label).join(QString());
}

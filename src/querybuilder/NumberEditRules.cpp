// Number text rules of the numeric value editor.
#include "NumberEditRules.h"

#include <QRegularExpression>
#include <cmath>

namespace NumberEditRules {

std::optional<double> read(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("-") || t == QLatin1String(".") || t == QLatin1String("-."))
        return 0.0;
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!number.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isPartialNumber(const QString& text, int digits, bool negativeAllowed) {
    const QString sign = negativeAllowed ? QStringLiteral("-?") : QString();
    const QString fraction = digits > 0 ? QStringLiteral("(\\.\\d{0,%1})?").arg(digits) : QString();
    const QRegularExpression partial(QStringLiteral("^%1\\d*%2$").arg(sign, fraction));
    return partial.match(text).hasMatch();
}

double clamp(double value, double min, double max) {
    if (value < min)
        return min;
    if (value > max)
        return max;
    return value;
}

QString format(double value, int digits) {
    return QString::number(value, 'f', qBound(0, digits, maxDigits));
}

} // namespace NumberEditRules

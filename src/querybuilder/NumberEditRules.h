// Reading, bounding and writing the number of the numeric value editor.
#pragma once

#include <QString>
#include <optional>

namespace NumberEditRules {

constexpr int maxDigits = 18;

// The number in an editor text; an empty text, "-" or a lone "." read as 0. Nothing when the
// text is not a number.
std::optional<double> read(const QString& text);
// Whether text could still become a number with at most digits decimals while typing.
bool isPartialNumber(const QString& text, int digits, bool negativeAllowed);
double clamp(double value, double min, double max);
QString format(double value, int digits);

} // namespace NumberEditRules

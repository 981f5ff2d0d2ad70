// The norm table and the type decision of test 125.
#include "ChildTemperamentType.h"
#include "testing/NumberFormat.h"

#include <cmath>

namespace {

struct NormRow {
    const char16_t* sex;
    int ageGroup;
    // m2 s2 m3 s3 m4 s4 m5 s5 m6 s6
    double values[10];
};

const NormRow kNorms[] = {
    {u"男", 3, {4.58, 0.85, 4.64, 0.93, 5.05, 0.78, 3.97, 0.87, 4.58, 0.63}},
    {u"女", 3, {4.63, 0.85, 4.8, 0.89, 5.12, 0.75, 4.04, 0.85, 4.79, 0.62}},
    {u"男", 4, {4.64, 0.83, 4.84, 0.82, 5.16, 0.83, 3.9, 0.84, 4.62, 0.6}},
    {u"女", 4, {4.48, 0.91, 4.75, 0.85, 5.06, 0.8, 3.87, 0.95, 4.76, 0.73}},
    {u"男", 5, {4.49, 0.82, 5.0, 0.86, 5.25, 0.74, 3.73, 0.81, 4.58, 0.63}},
    {u"女", 5, {4.49, 0.89, 5.0, 0.81, 5.16, 0.7, 3.6, 0.8, 4.7, 0.64}},
    {u"男", 6, {4.53, 0.84, 5.1, 0.86, 5.24, 0.77, 3.64, 0.83, 4.65, 0.68}},
    {u"女", 6, {4.57, 0.89, 5.14, 0.79, 5.26, 0.8, 3.58, 0.83, 4.84, 0.6}},
    {u"男", 7, {4.65, 0.82, 5.06, 0.83, 5.16, 0.75, 3.57, 0.75, 4.64, 0.64}},
    {u"女", 7, {4.52, 0.86, 5.03, 0.82, 5.21, 0.77, 3.52, 0.82, 4.8, 0.6}},
};

enum : int { F2, F3, F4, F5, F6 };

} // namespace

std::optional<ChildTemperamentNorm> childTemperamentNorm(const QString& sex, double ageMonths)
{
    const long long group = integerPart(ageMonths) / 12;
    for (const NormRow& row : kNorms)
        if (row.ageGroup == group && sex == QString::fromUtf16(row.sex)) {
            ChildTemperamentNorm norm;
            for (int k = 0; k < 5; ++k) {
                norm.mean[k] = row.values[2 * k];
                norm.sd[k] = row.values[2 * k + 1];
            }
            return norm;
        }
    return std::nullopt;
}

ChildTemperamentFlags childTemperamentFlags(const FactorTable& factors, const ChildTemperamentNorm& norm)
{
    ChildTemperamentFlags flags;
    for (int k = 0; k < 5; ++k) {
        const double a = factors.at(k + 1).average;
        // Intensity (factor 5) leans towards the difficult side when high, the others when low.
        flags.direction[k] = k == F5 ? a > norm.mean[k] : a < norm.mean[k];
        flags.close[k] = std::fabs(a - norm.mean[k]) < norm.sd[k];
    }
    return flags;
}

QString childTemperamentType(const ChildTemperamentFlags& f)
{
    int leaning = 0; // direction flags
    int far = 0;     // direction flags a full deviation or more from the mean
    bool allClose = true;
    for (int k = 0; k < 5; ++k) {
        leaning += f.direction[k] ? 1 : 0;
        far += f.direction[k] && !f.close[k] ? 1 : 0;
        allClose = allClose && f.close[k];
    }
    if (f.direction[F5] && leaning >= 4 && far >= 2)
        return QStringLiteral("难养型");
    if (allClose && leaning <= 2)
        return QStringLiteral("易养型");
    if (f.direction[F3] && f.direction[F4] && f.direction[F6] && !f.direction[F5] && (f.close[F3] || f.close[F4])
        && !f.close[F6])
        return QStringLiteral("启动缓慢型");
    return QStringLiteral("中间型");
}

QString childTemperamentConclusion(const FactorTable& factors, const QString& sex, double ageMonths)
{
    const auto norm = childTemperamentNorm(sex, ageMonths);
    if (!norm)
        return QStringLiteral("本测验只有3至7岁男女儿童的常模,无法判定该测试者的气质类型!");
    return childTemperamentType(childTemperamentFlags(factors, *norm));
}

// Score conversions and composite totals.
#include "ScoreConversions.h"
#include "testing/NumberFormat.h"

void healthSurveyScales(FactorTable& f)
{
    // (raw - lowest possible) / range x 100, written as each scale's own constants; the
    // operations run left to right so the truncation sees the same double every time.
    auto scale = [&](int k, double value) { f[k - 1].sum = static_cast<double>(integerPart(value)); };
    scale(1, (f[0].sum - 10) * 5);
    scale(2, (f[1].sum - 4) * 100 / 4);
    scale(3, (f[2].sum - 2) * 10);
    scale(4, (f[3].sum - 5) * 5);
    scale(5, (f[4].sum - 4) * 5);
    scale(6, (f[5].sum - 2) * 100 / 8);
    scale(7, (f[6].sum - 3) * 100 / 3);
    scale(8, (f[7].sum - 5) * 4);
}

void balanceTotal(SessionContext& s)
{
    const FactorTable& f = s.factors;
    s.total = f[0].sum + 24 + f[2].sum - f[1].sum - f[3].sum;
}

void factorSumTotal(SessionContext& s)
{
    s.total = 0;
    for (const tmx& f : s.factors)
        s.total += f.sum;
}

void levelScore(SessionContext& s, const QVector<double>& I)
{
    const int n = I.size();
    for (int k = n - 1; k >= 1; --k)
        if (I[k - 1] > 0) {
            s.total = (100 - 10 * k) + I[10];
            s.factors[0].sum = s.total;
            return;
        }
}

void rescaleSymptomFactors(FactorTable& f)
{
    f[0].sum = (20 - f[0].sum) * 2;
    f[1].sum = f[1].sum * 2;
    f[2].sum = (f[2].sum + 8) * 2;
    for (int k = 4; k <= 7; ++k)
        f[k - 1].sum = f[k - 1].sum * 2;
}

QString estimateTotalsConclusion(const FactorTable& f)
{
    const double positive = f[0].sum + f[1].sum + f[2].sum;
    const double negative = f[3].sum + f[4].sum + f[5].sum + f[6].sum;
    const double estimate = 128 + positive - negative;
    return QStringLiteral("测试结果：总积极因素得分") + numberText(positive) + QStringLiteral(";总消极因素得分")
         + numberText(negative) + QStringLiteral(";病情总估计得分") + numberText(estimate);
}

void twoFactorTotal(SessionContext& s)
{
    s.total = s.factors[0].sum + s.factors[1].sum;
    s.average = roundOneDecimal(s.total / 10);
}

void referenceTotal100(SessionContext& s)
{
    FactorTable& f = s.factors;
    for (int k = 1; k <= 20; ++k) {
        f[k - 1].sum = f[k - 1].sum * 5;
        f[k - 1].average = static_cast<double>(integerPart(f[k - 1].average * 5));
    }
    for (int k = 21; k <= 23; ++k)
        f[k - 1].sum = static_cast<double>(integerPart((f[k - 1].sum - 20) / 80 * 100));
    f[23].sum = static_cast<double>(integerPart((f[23].sum - 16) / 64 * 100));
    s.total = static_cast<double>(integerPart((s.total - 80) / 320 * 100));
    s.conclusion = QStringLiteral("各项目的参照总分为100,");
}

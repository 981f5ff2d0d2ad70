// The common scoring steps, the category-count rule and the result lines.
#include "ChoiceScorer.h"
#include "NumberFormat.h"

#include "data/Clock.h"

ScoreOutcome ChoiceScorer::ScoreTest(const ChoiceItems& items, const QStringList& answers, SessionContext& s)
{
    ScoreOutcome out;
    const int n = items.size();
    QVector<double> I(n, 0.0);
    double total = 0;

    // Step 2: item scores; the first unanswered item stops scoring.
    for (int k = 1; k <= n; ++k) {
        const QString code = answers.value(k - 1);
        if (code.isEmpty()) {
            out.unansweredItem = k;
            out.message = QStringLiteral("第") + QString::number(k) + QStringLiteral("题未做!");
            return out;
        }
        const auto score = items[k - 1].scoreOf(code);
        if (!score) {
            // The bank gives the chosen option no score: refuse rather than count it as 0.
            out.unansweredItem = k;
            out.message = QStringLiteral("第") + QString::number(k) + QStringLiteral("题所选选项在试题库中没有分值,无法统计!");
            return out;
        }
        I[k - 1] = *score;
        total += *score;
    }
    s.itemCount = n;
    s.total = total;

    // Step 3: factor accumulation (or the category count of test 147).
    if (m_variant.categoryCount) {
        for (int k = 1; k <= n; ++k) {
            const long long c = integerPart(I[k - 1]);
            if (c >= 1 && c <= 4 && c <= s.factors.size()) {
                s.factors[c - 1].sum += 1;
                s.factors[c - 1].count += 1;
            }
        }
    } else {
        for (tmx& f : s.factors)
            for (int j = 1; j <= n; ++j)
                if (f.contains(j)) {
                    f.sum += I[j - 1];
                    f.count += 1;
                }
    }

    NormLookup norms(m_bank);
    QStringList lines;
    ScoringState state{s, I, answers, norms, lines};

    // Step 4: conversions.
    if (m_rules)
        m_rules->convert(state);

    // Step 5.
    norms.prepare(s.hmid, s.age, s.subjectSex);

    // Step 6.
    lines << QStringLiteral("本次测试已完成！") << QStringLiteral("姓名：") + s.subjectName
          << QStringLiteral("详细测试结果：");

    // Step 7: per-factor averages and norm texts.
    for (tmx& f : s.factors) {
        if (f.count != 0)
            f.average = roundOneDecimal(f.sum / f.count);
        const double value = m_variant.temperament ? f.average : f.sum;
        if (const auto text = norms.lookup(f.name, value)) {
            f.explanation = *text;
            lines << f.name + QLatin1Char(':') + f.explanation;
        } else {
            const QString score = m_variant.temperament ? numberText(f.sum) : numberText(roundOneDecimal(f.sum));
            lines << f.name + QStringLiteral(":得分: ") + score;
        }
    }

    // Step 8.
    s.average = n > 0 ? roundOneDecimal(s.total / n) : 0;

    // Step 9: the total-score lookup, unless the test's own rule replaces it.
    if (!(m_rules && m_rules->conclude(state))) {
        if (const auto text = norms.lookup(s.testName, s.total))
            s.conclusion = *text;
    }

    // Step 10.
    lines << s.testName + QStringLiteral("测试结果：")
          << QStringLiteral("测试总分：")
                 + (m_variant.temperament ? numberText(s.total) : QString::number(integerPart(s.total)))
          << QStringLiteral("测试试题数：") + QString::number(n)
          << QStringLiteral("测试平均分：") + numberText(roundOneDecimal(s.average))
          << QStringLiteral("结论：") + s.conclusion;

    s.factorCount = s.factors.size();
    out.complete = true;
    out.lines = lines;
    out.itemScores = I;
    return out;
}

StoredResult storedResultFromSession(const SessionContext& s, const QVector<double>& itemScores)
{
    StoredResult r;
    r.userId = s.subjectId;
    r.userName = s.subjectName;
    r.testName = s.testName;
    r.savedAt = Clock::now();
    r.total = s.total;
    r.conclusion = s.conclusion;
    r.average = s.average;
    r.maxAverage = s.maxAverage;
    r.itemCount = s.itemCount;
    for (const tmx& f : s.factors)
        r.factors.push_back({f.name, f.sum, f.average, f.explanation});
    for (int j = 1; j <= itemScores.size(); ++j)
        r.items.push_back({j, itemScores[j - 1]});
    return r;
}

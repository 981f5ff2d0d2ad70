// Headless scoring of option-number answer sheets.
#include "AnswerSheetScoring.h"
#include "RuleDispatch.h"

#include <QJsonArray>

std::unique_ptr<ScoringRules> rulesForRunner(RunnerKind kind, int hmid)
{
    switch (kind) {
    case RunnerKind::DefaultChoice:
        return rulesForDefaultRunner(hmid);
    case RunnerKind::Temperament:
        return rulesForTemperament(hmid);
    default:
        return nullptr;
    }
}

SheetScore scoreAnswerSheet(Database& bank, const AnswerSheet& sheet)
{
    SheetScore result;
    SessionContext& s = result.session;
    s.hmid = sheet.hmid;
    s.subjectSex = sheet.sex;
    s.subjectName = sheet.name;
    s.subjectId = sheet.subjectId;
    s.age = sheet.ageMonths;

    QSqlQuery node = bank.run(QStringLiteral("select * from treename where id=:p"), {sheet.hmid});
    if (!node.next()) {
        result.error = QStringLiteral("试题库中没有编号为%1的测试").arg(sheet.hmid);
        return result;
    }
    const CatalogNode n = catalogNodeFromRecord(node.record());
    chooseTest(s, n);

    const RunnerKind kind = runnerKindFor(sheet.hmid);
    switch (kind) {
    case RunnerKind::DefaultChoice:
    case RunnerKind::PlainChoice:
    case RunnerKind::Temperament:
        break;
    default:
        result.error = QStringLiteral("%1(%2)的答案不是选项号,请用 --sheet 提供答卷").arg(n.name).arg(sheet.hmid);
        return result;
    }

    ChoiceRun run(bank, s, ChoiceRunnerVariant::forKind(kind, sheet.hmid), rulesForRunner(kind, sheet.hmid));
    QString warning;
    if (!run.load(&warning)) {
        result.error = warning;
        return result;
    }
    if (sheet.options.size() > run.itemCount()) {
        result.error = QStringLiteral("答案个数(%1)多于试题数(%2)").arg(sheet.options.size()).arg(run.itemCount());
        return result;
    }
    for (int k = 0; k < run.itemCount(); ++k) {
        run.moveTo(k);
        const int option = sheet.options.value(k, 0);
        if (option >= 1 && option <= 10 && option <= run.currentItem().optionCount)
            run.recordAnswer(OptionTable()[option - 1].answerCode);
        else if (option != 0) {
            result.error = QStringLiteral("第%1题的答案%2超出选项范围(1-%3)")
                               .arg(k + 1)
                               .arg(option)
                               .arg(run.currentItem().optionCount);
            return result;
        }
    }
    result.outcome = run.score();
    if (!result.outcome.complete) {
        result.error = result.outcome.message;
        return result;
    }
    result.stored = run.storedResult();
    result.ok = true;
    return result;
}

QJsonObject sheetScoreJson(const SheetScore& score)
{
    const SessionContext& s = score.session;
    QJsonArray factors;
    for (const tmx& f : s.factors) {
        factors.append(QJsonObject{{QStringLiteral("name"), f.name},
                                   {QStringLiteral("count"), f.count},
                                   {QStringLiteral("sum"), f.sum},
                                   {QStringLiteral("average"), f.average},
                                   {QStringLiteral("explanation"), f.explanation}});
    }
    return QJsonObject{{QStringLiteral("test"), s.hmid},
                       {QStringLiteral("testName"), s.testName},
                       {QStringLiteral("items"), s.itemCount},
                       {QStringLiteral("total"), score.stored.total},
                       {QStringLiteral("average"), score.stored.average},
                       {QStringLiteral("conclusion"), score.stored.conclusion},
                       {QStringLiteral("factors"), factors},
                       {QStringLiteral("lines"), QJsonArray::fromStringList(score.outcome.lines)}};
}

// psydesk-cli score: scores an answer sheet with the runners' own scoring code.
#include "CliCommands.h"

#include "scales/AnswerSheetScoring.h"
#include "testing/ChoiceRun.h"

#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

namespace {

int usage(const QString& problem)
{
    QTextStream err(stderr);
    if (!problem.isEmpty())
        err << problem << "\n";
    err << "用法: psydesk-cli score --bank FILE --test ID --sex 男|女 --age-months N --answers 1,3,2,... "
           "[--name TEXT] [--info FILE --subject ID --save]\n";
    return 2;
}

} // namespace

int runScoreCommand(const QStringList& args)
{
    QHash<QString, QString> values;
    bool save = false;
    static const QStringList withValue{"--bank", "--test", "--sex", "--age-months", "--answers",
                                       "--name", "--info", "--subject", "--sheet"};
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--save")) {
            save = true;
        } else if (withValue.contains(a)) {
            if (i + 1 >= args.size())
                return usage(QStringLiteral("缺少 %1 的值").arg(a));
            values.insert(a, args.at(++i));
        } else {
            return usage(QStringLiteral("未知参数: %1").arg(a));
        }
    }
    for (const char* required : {"--bank", "--test", "--sex", "--age-months"})
        if (!values.contains(QLatin1String(required)))
            return usage(QStringLiteral("缺少参数 %1").arg(QLatin1String(required)));
    if (!values.contains(QStringLiteral("--answers")) && !values.contains(QStringLiteral("--sheet")))
        return usage(QStringLiteral("缺少参数 --answers"));
    if (values.contains(QStringLiteral("--sheet")))
        return usage(QStringLiteral("--sheet 答卷尚不支持此测试"));

    AnswerSheet sheet;
    bool ok = false;
    sheet.hmid = values.value(QStringLiteral("--test")).toInt(&ok);
    if (!ok)
        return usage(QStringLiteral("--test 必须是整数"));
    sheet.sex = values.value(QStringLiteral("--sex"));
    if (sheet.sex != QStringLiteral("男") && sheet.sex != QStringLiteral("女"))
        return usage(QStringLiteral("--sex 必须是 男 或 女"));
    sheet.ageMonths = values.value(QStringLiteral("--age-months")).toInt(&ok);
    if (!ok || sheet.ageMonths < 0)
        return usage(QStringLiteral("--age-months 必须是非负整数"));
    sheet.name = values.value(QStringLiteral("--name"));
    const QString answers = values.value(QStringLiteral("--answers"));
    if (!answers.trimmed().isEmpty()) {
        for (const QString& part : answers.split(QLatin1Char(','))) {
            const int option = part.trimmed().toInt(&ok);
            if (!ok || option < 0 || option > 10)
                return usage(QStringLiteral("--answers 只能是 0 到 10 的选项号: %1").arg(part));
            sheet.options << option;
        }
    }
    if (save && (!values.contains(QStringLiteral("--info")) || !values.contains(QStringLiteral("--subject"))))
        return usage(QStringLiteral("--save 需要 --info 和 --subject"));
    if (!save && (values.contains(QStringLiteral("--info")) || values.contains(QStringLiteral("--subject"))))
        return usage(QStringLiteral("--info 和 --subject 只与 --save 一起使用"));

    QTextStream err(stderr);
    Database bank;
    ConnectionSettings bankSettings;
    bankSettings.file = values.value(QStringLiteral("--bank"));
    bankSettings.readOnly = true;
    if (!bank.open(bankSettings)) {
        err << "无法打开试题数据库: " << bank.lastError() << "\n";
        return 1;
    }

    Database info;
    if (save) {
        ConnectionSettings infoSettings;
        infoSettings.file = values.value(QStringLiteral("--info"));
        if (!info.open(infoSettings)) {
            err << "无法打开用户信息数据库: " << info.lastError() << "\n";
            return 1;
        }
        sheet.subjectId = values.value(QStringLiteral("--subject"));
        try {
            QSqlQuery q = info.run(QStringLiteral("select * from username where id=:p"), {sheet.subjectId});
            if (!q.next()) {
                err << "用户信息数据库中没有用户 " << sheet.subjectId << "\n";
                return 1;
            }
            if (sheet.name.isEmpty())
                sheet.name = q.value(QStringLiteral("name")).toString();
        } catch (const DbError& e) {
            err << e.message() << "\n";
            return 1;
        }
    }

    SheetScore score;
    try {
        score = scoreAnswerSheet(bank, sheet);
    } catch (const DbError& e) {
        err << "试题数据库错误: " << e.message() << "\n";
        return 1;
    }
    if (!score.ok) {
        err << score.error << "\n";
        return 1;
    }
    QJsonObject json = sheetScoreJson(score);
    if (save) {
        setUnsavedResult(true);
        const SaveOutcome saved = saveScoredResult(info, score.stored);
        if (!saved.saved) {
            err << saved.message << " " << saved.error << "\n";
            return 1;
        }
        json.insert(QStringLiteral("id"), saved.id);
    }
    QTextStream(stdout) << QJsonDocument(json).toJson(QJsonDocument::Indented);
    return 0;
}

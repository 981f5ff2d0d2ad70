// Item loading and the option table.
#include "ChoiceItems.h"

const QVector<OptionColumn>& OptionTable()
{
    static const QVector<OptionColumn> table{
        {QStringLiteral("1."), QStringLiteral("A"), QStringLiteral("ac")},
        {QStringLiteral("2."), QStringLiteral("B"), QStringLiteral("bc")},
        {QStringLiteral("3."), QStringLiteral("C"), QStringLiteral("cc")},
        {QStringLiteral("4."), QStringLiteral("D"), QStringLiteral("dc")},
        {QStringLiteral("5."), QStringLiteral("E"), QStringLiteral("ec")},
        {QStringLiteral("6."), QStringLiteral("f"), QStringLiteral("fc")},
        {QStringLiteral("7."), QStringLiteral("g"), QStringLiteral("gc")},
        {QStringLiteral("8."), QStringLiteral("h"), QStringLiteral("hc")},
        {QStringLiteral("9."), QStringLiteral("i"), QStringLiteral("ic")},
        {QStringLiteral("0."), QStringLiteral("j"), QStringLiteral("jc")},
    };
    return table;
}

int optionIndexOfCode(const QString& code)
{
    const auto& table = OptionTable();
    for (int k = 0; k < table.size(); ++k)
        if (table[k].answerCode.compare(code, Qt::CaseInsensitive) == 0)
            return k;
    return -1;
}

std::optional<double> ChoiceItem::scoreOf(const QString& code) const
{
    const int k = optionIndexOfCode(code);
    return k < 0 ? std::nullopt : optionScores[k];
}

ChoiceItem choiceItemFromRecord(const QSqlRecord& r)
{
    ChoiceItem item;
    item.number = r.value(QStringLiteral("topid")).toInt();
    item.text = r.value(QStringLiteral("toplr")).toString();
    item.optionCount = r.value(QStringLiteral("chc")).toInt();
    const auto& table = OptionTable();
    for (int k = 0; k < 10; ++k) {
        item.optionTexts[k] = r.value(table[k].textColumn).toString();
        const QVariant score = r.value(table[k].answerCode);
        bool ok = false;
        const double v = score.toDouble(&ok);
        if (!score.isNull() && ok)
            item.optionScores[k] = v;
    }
    item.row = r;
    return item;
}

ChoiceItems loadChoiceItems(Database& bank, int hmid)
{
    ChoiceItems items;
    QSqlQuery q = bank.run(QStringLiteral("select * from toplr where hmid=:p order by topid"), {hmid});
    while (q.next())
        items.push_back(choiceItemFromRecord(q.record()));
    return items;
}

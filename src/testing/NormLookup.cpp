// Norm and factor queries on the test bank.
#include "NormLookup.h"
#include "SessionContext.h"

void NormLookup::prepare(int hmid, double age, const QString& sex)
{
    m_hmid = hmid;
    m_age = age;
    m_sexPattern = QLatin1Char('%') + sex + QLatin1Char('%');
}

std::optional<QString> NormLookup::lookup(const QString& name, double value)
{
    QSqlQuery q = m_bank.run(QStringLiteral("select * from [account] where name=:i and min<=:o and max>:p and hmid=:j "
                                            "and agemin<=:s and agemax>=:d and xb like :w"),
                             {name, value, value, m_hmid, m_age, m_age, m_sexPattern});
    if (q.next())
        return q.value(QStringLiteral("explain")).toString();
    return std::nullopt;
}

static tmx factorFromRecord(const QSqlRecord& r)
{
    tmx f;
    f.name = r.value(QStringLiteral("ez")).toString().trimmed();
    f.itemList = r.value(QStringLiteral("topid")).toString();
    return f;
}

QVector<tmx> loadFactors(Database& bank, int hmid, double age, const QString& sex)
{
    QVector<tmx> factors;
    QSqlQuery q = bank.run(QStringLiteral("select * from hmez where hmid=:o and agemin<=:l and agemax>=:k and xb like :o "
                                          "order by id "),
                           {hmid, age, age, QLatin1Char('%') + sex + QLatin1Char('%')});
    while (q.next())
        factors.push_back(factorFromRecord(q.record()));
    return factors;
}

QVector<tmx> loadAllFactors(Database& bank, int hmid)
{
    QVector<tmx> factors;
    QSqlQuery q = bank.run(QStringLiteral("select * from hmez where hmid=:o order by id"), {hmid});
    while (q.next())
        factors.push_back(factorFromRecord(q.record()));
    return factors;
}

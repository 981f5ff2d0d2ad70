// Test bank writing in one transaction.
#include "TestBankWriter.h"
#include "SqlScript.h"

#include <QFile>

static const char* const kTextColumns[] = {"A", "B", "C", "D", "E", "f", "g", "h", "i", "j"};
static const char* const kScoreColumns[] = {"ac", "bc", "cc", "dc", "ec", "fc", "gc", "hc", "ic", "jc"};

TestBankWriter::TestBankWriter(const QString& file)
{
    QFile::remove(file);
    { QFile create(file); create.open(QIODevice::WriteOnly); }
    ConnectionSettings settings;
    settings.file = file;
    if (!m_db.open(settings))
        throw DbError(m_db.lastError());
    // Schema and content in one transaction: one sync for the whole file.
    m_db.begin();
    runSqlScript(m_db, testBankSchema());
}

TestBankWriter::~TestBankWriter()
{
    m_db.rollback();
}

void TestBankWriter::addNode(const BankNode& n)
{
    m_db.run(QStringLiteral("insert into treename (id,parentid,name,chc,maxavg,[max],[min],xb,hmjg) "
                            "values (:a,:b,:c,:d,:e,:f,:g,:h,:i)"),
             {n.id, n.parentId, n.name, n.optionCount, n.maxAverage, n.maxAge, n.minAge, n.sex, n.description});
}

void TestBankWriter::addItem(const BankItem& item)
{
    QStringList columns{QStringLiteral("hmid"), QStringLiteral("topid"), QStringLiteral("toplr"), QStringLiteral("chc")};
    QVariantList values{item.hmid, item.number, item.text,
                        item.optionCount.value_or(static_cast<int>(item.options.size()))};
    for (size_t k = 0; k < item.options.size() && k < 10; ++k) {
        columns << QString::fromLatin1(kTextColumns[k]);
        values << item.options[k].text;
        if (item.options[k].score) {
            columns << QString::fromLatin1(kScoreColumns[k]);
            values << *item.options[k].score;
        }
    }
    for (const auto& [column, text] : item.extraTexts) {
        const int at = columns.indexOf(column, 0);
        if (at >= 0) values[at] = text; else { columns << column; values << text; }
    }
    for (const auto& [column, score] : item.extraScores) {
        const int at = columns.indexOf(column, 0);
        if (at >= 0) values[at] = score; else { columns << column; values << score; }
    }
    if (!item.picture.isEmpty()) {
        columns << QStringLiteral("picture");
        values << item.picture;
    }
    QStringList marks;
    for (int k = 0; k < columns.size(); ++k)
        marks << QStringLiteral(":v%1").arg(k);
    m_db.run(QStringLiteral("insert into toplr (%1) values (%2)").arg(columns.join(','), marks.join(',')), values);
}

void TestBankWriter::addFactor(const BankFactor& f)
{
    const int id = f.id > 0 ? f.id : m_nextFactorId;
    m_nextFactorId = std::max(m_nextFactorId, id + 1);
    m_db.run(QStringLiteral("insert into hmez (id,hmid,ez,topid,agemin,agemax,xb) values (:a,:b,:c,:d,:e,:f,:g)"),
             {id, f.hmid, f.name, f.itemList, f.ageMin, f.ageMax, f.sex});
}

void TestBankWriter::addNorm(const BankNorm& n)
{
    m_db.run(QStringLiteral("insert into account (hmid,name,[min],[max],agemin,agemax,xb,[explain]) "
                            "values (:a,:b,:c,:d,:e,:f,:g,:h)"),
             {n.hmid, n.name, n.min, n.max, n.ageMin, n.ageMax, n.sex, n.explain});
}

void TestBankWriter::addMmpiConversion(const QString& sex, int factorNumber, double raw, double converted)
{
    m_db.run(QStringLiteral("insert into Convert_MMPI (User_Sex,Factor_Number,Original_Score,CONVERTED_SCORE) "
                            "values (:a,:b,:c,:d)"),
             {sex, factorNumber, raw, converted});
}

void TestBankWriter::addAverageSd(int age, const QString& sex, int average, double sd)
{
    m_db.run(QStringLiteral("insert into AverageSD (age,gender,average,sd) values (:a,:b,:c,:d)"),
             {age, sex, average, sd});
}

void TestBankWriter::finish()
{
    m_db.commit();
    m_db.close();
}

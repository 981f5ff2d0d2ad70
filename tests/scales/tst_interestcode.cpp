// Test 77: the exchange sort, the three-letter code, the type texts and the code table.
#include "ScaleFixture.h"

#include "scales/InterestCode.h"

class TestInterestCode : public QObject {
    Q_OBJECT
private slots:
    void codeFromScores_data();
    void codeFromScores();
    void storedRowsFollowTheSortedOrder();
    void fewerThanThreeFactorsGiveAShortCode();
    void codeTableRows();
};

namespace {

const QStringList kTypeNames{QStringLiteral("现实型"), QStringLiteral("调查型"), QStringLiteral("艺术型"),
                             QStringLiteral("社会型"), QStringLiteral("企事业型"), QStringLiteral("常规型")};

const QString kRText = QStringLiteral("R(实际型)：木匠、农民、操作X光的技师、工程师、飞机机械师、鱼类和野生动物专家、自动化技师、机械工(车工、钳工等)、电工、无线电报务员、火车司机、长途汽车司机、机械制图员、修理机器、电器师。");
const QString kIText = QStringLiteral("I(探索型):气象学者、生物学者、天文学家、药剂师、动物学者、化学家、科学报刊编辑、地质学者、植物学者、物理学者、数学家、实验员、科研人员、科技作者。");
const QString kEText = QStringLiteral("E(企业型):推销员、进货员、商品批发员、旅馆经理、饭店经理、广告宣传员、调度员、律师、政治家、零售商。");
const QString kCText = QStringLiteral("C(传统型):记账员、会计、银行出纳、法庭速记员、成本估算员、税务员、核算员、打字员、办公室职员、统计员、计算机操作员、秘书。");
const QString kRES = QStringLiteral("旅馆服务员、家畜饲养员、渔民、渔网修补工、水手长、收割机操作工、搬运行李工人、公园服务员、救生员、登山导游、火车工程技术员、建筑工作、铺轨工人。");

QString occupationsOf(const QString& code)
{
    for (const InterestCodeRow& row : interestCodeTable())
        if (row.code == code)
            return row.occupations;
    return QString();
}

ScaleCase interestCase(const QVector<double>& sums)
{
    ScaleCase c;
    c.hmid = 77;
    c.testName = QStringLiteral("职业兴趣测验");
    c.items = sums;
    c.factors = oneItemFactors(6, kTypeNames);
    return c;
}

QString letters(const FactorTable& factors)
{
    QString s;
    for (const tmx& f : factors)
        s += interestLetter(f.name);
    return s;
}

} // namespace

void TestInterestCode::codeFromScores_data()
{
    QTest::addColumn<QVector<double>>("sums"); // R I A S E C
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("conclusion");
    QTest::newRow("RES: ties of 7 keep R before E") << QVector<double>{7, 2, 3, 5, 7, 1} << "RESAIC" << kRText + kRES;
    QTest::newRow("EIA has no row: E text alone") << QVector<double>{0, 0, 0, 0, 1, 0} << "EIASRC" << kEText;
    QTest::newRow("ISC has a row") << QVector<double>{3, 5, 1, 5, 2, 4} << "ISCREA"
                                   << kIText + occupationsOf(QStringLiteral("ISC"));
    QTest::newRow("conventional type leads: CEI") << QVector<double>{0, 4, 0, 0, 5, 6} << "CEISRA"
                                                  << kCText + QStringLiteral("推销员、经济分析家。");
    QTest::newRow("all equal: RIA") << QVector<double>{2, 2, 2, 2, 2, 2} << "RIASEC"
                                    << kRText + QStringLiteral("牙科技术员、陶工、建筑设计员、模型工、细木工、制作链条人员。");
}

void TestInterestCode::codeFromScores()
{
    QFETCH(QVector<double>, sums);
    QFETCH(QString, order);
    QFETCH(QString, conclusion);
    const ScaleRun run = scoreScale(interestCase(sums));
    QVERIFY(run.outcome.complete);
    QCOMPARE(letters(run.session.factors), order);
    QCOMPARE(run.session.conclusion, conclusion);
    QCOMPARE(run.line(QStringLiteral("结论：")), conclusion);
    QCOMPARE(run.stored.conclusion, conclusion);
}

void TestInterestCode::storedRowsFollowTheSortedOrder()
{
    ScaleCase c = interestCase({7, 2, 3, 5, 7, 1});
    for (int k = 0; k < 6; ++k)
        c.norms << norm(kTypeNames[k], c.items[k], c.items[k] + 1, kTypeNames[k] + QStringLiteral("说明"));
    // A total-score norm that the rule must not consult.
    c.norms << norm(c.testName, 0, 100, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);

    // The screen lines were written before the sort, in the bank's order.
    const int first = run.outcome.lines.indexOf(QStringLiteral("详细测试结果：")) + 1;
    for (int k = 0; k < 6; ++k)
        QCOMPARE(run.outcome.lines.at(first + k), kTypeNames[k] + QStringLiteral(":") + kTypeNames[k] + QStringLiteral("说明"));

    // The stored rows run from the highest score down, each with its own name, sum and text.
    const QStringList storedOrder{QStringLiteral("现实型"), QStringLiteral("企事业型"), QStringLiteral("社会型"),
                                  QStringLiteral("艺术型"), QStringLiteral("调查型"), QStringLiteral("常规型")};
    const QVector<double> storedSums{7, 7, 5, 3, 2, 1};
    QCOMPARE(int(run.stored.factors.size()), 6);
    for (int k = 0; k < 6; ++k) {
        QCOMPARE(run.stored.factors[k].name, storedOrder[k]);
        QCOMPARE(run.stored.factors[k].sum, storedSums[k]);
        QCOMPARE(run.stored.factors[k].average, storedSums[k]);
        QCOMPARE(run.stored.factors[k].explanation, storedOrder[k] + QStringLiteral("说明"));
    }
    QCOMPARE(run.session.conclusion, kRText + kRES);
}

void TestInterestCode::fewerThanThreeFactorsGiveAShortCode()
{
    // Two type factors and one whose name is no type: the code is "IR", which no row
    // matches, so the conclusion is the leading type's text alone.
    ScaleCase c = interestCase({5, 9, 4});
    c.factors = {{QStringLiteral("现实型"), QStringLiteral(",1,")},
                 {QStringLiteral("其他"), QStringLiteral(",2,")},
                 {QStringLiteral("调查型"), QStringLiteral(",3,")}};
    ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(interestCode(run.session.factors), QStringLiteral("RI"));
    QCOMPARE(run.session.conclusion, kRText);

    // No factor at all: no code and no conclusion.
    c.factors.clear();
    run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.session.conclusion, QString());
}

void TestInterestCode::codeTableRows()
{
    const QStringList keys = QStringLiteral(
        "RIA RIS RIE RIC RAI RSE RSI REC REI RCI RCS RCE IAS IAR ISE ISC ISR ISA IES IEC ICR IRA IRS IRE IRC CRI "
        "CRS CRE CIS CIE CIR CSE CSR CSA CER CEI CES ECI ECS ERI ERS ERC EIR EIC EIS EAS EAR ESC ESR ESI ESA ASE "
        "ASI AER AEI AES AIS AIE AIR SEC SER SEI SEA SCE SRI SRE SRC SIA SIE SIC SIR RES").split(QLatin1Char(' '));
    const QStringList cutShort{QStringLiteral("RIE"), QStringLiteral("RIC"), QStringLiteral("RCI"), QStringLiteral("IRS")};
    const auto& table = interestCodeTable();
    QCOMPARE(table.size(), 72);
    for (int k = 0; k < 72; ++k) {
        const InterestCodeRow& row = table[k];
        QCOMPARE(row.code, keys[k]);
        const int length = row.occupations.size();
        if (cutShort.contains(row.code)) {
            QCOMPARE(length, 127);
            QVERIFY2(!row.occupations.endsWith(QStringLiteral("。")), qPrintable(row.code));
        } else {
            QVERIFY2(length >= 10 && length < 127, qPrintable(row.code));
            QVERIFY2(row.occupations.endsWith(QStringLiteral("。")), qPrintable(row.code));
        }
    }
    QCOMPARE(occupationsOf(QStringLiteral("IEC")), QStringLiteral("档案保管员、保险统计员。"));
    QCOMPARE(occupationsOf(QStringLiteral("EAS")), QStringLiteral("法官、律师、公证人。"));
    QCOMPARE(occupationsOf(QStringLiteral("SER")), QStringLiteral("体育教练、游泳指导。"));
    QCOMPARE(occupationsOf(QStringLiteral("RES")), kRES);
    for (const char* missing : {"EIA", "CIA", "SAE"})
        QCOMPARE(occupationsOf(QString::fromLatin1(missing)), QString());
    // The conventional type's name is none of the five other names.
    QCOMPARE(kTypeNames.count(conventionalTypeName()), 1);
}

QTEST_GUILESS_MAIN(TestInterestCode)
#include "tst_interestcode.moc"

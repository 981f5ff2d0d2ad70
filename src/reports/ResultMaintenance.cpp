// Statements of result maintenance.
#include "ResultMaintenance.h"

#include "data/Database.h"
#include "data/ResultStore.h"
#include "querybuilder/TZTQueryEx.h"

QString ResultMaintenance::listSql(const QString& condition) {
    if (condition.trimmed().isEmpty())
        return QStringLiteral("select * from jg order by id  desc");
    return QStringLiteral("select * from jg where ") + condition + QStringLiteral("  ORDER BY ID desc");
}

QString ResultMaintenance::factorSql() {
    return QStringLiteral("select * from jgmx where jgid=:k order by id");
}

void ResultMaintenance::configureQuery(TZTQueryEx& query) {
    query.clearFields();
    query.setCaption(QStringLiteral("查找记录"));
    query.setTabNameHasbracket(false);
    const QString table = QStringLiteral("jg");
    query.addField(table, QStringLiteral("id"), TFieldType::Integer, QStringLiteral("测试ID"));
    query.addField(table, QStringLiteral("userid"), TFieldType::String, QStringLiteral("用户ID"));
    query.addField(table, QStringLiteral("username"), TFieldType::String, QStringLiteral("用户姓名"));
    query.addField(table, QStringLiteral("timeing"), TFieldType::Date, QStringLiteral("测试时间"));
    query.addField(table, QStringLiteral("hmna"), TFieldType::String, QStringLiteral("测试项目"));
}

static QVariant textOrNull(const QString& text) {
    return text.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

void ResultMaintenance::saveHeader(int resultId, const QString& reporter, const QString& conclusion) {
    m_db.run(QStringLiteral("update jg set bgr=:b,type=:t where id=:i"),
             {textOrNull(reporter), textOrNull(conclusion), resultId});
}

void ResultMaintenance::saveFactorConclusion(int factorRowId, const QString& conclusion) {
    m_db.run(QStringLiteral("update jgmx set type=:t where id=:i"), {textOrNull(conclusion), factorRowId});
}

void ResultMaintenance::deleteResult(int resultId) {
    ResultStore(m_db).deleteResult(resultId);
}

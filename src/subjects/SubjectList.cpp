// Subject rows: statements of the subject list and the cascade delete.
#include "SubjectList.h"

#include "data/Database.h"
#include "data/ResultStore.h"
#include "querybuilder/TZTQueryEx.h"

QString SubjectList::listSql(const QString& condition) {
    if (condition.trimmed().isEmpty())
        return QStringLiteral("select  *  from username");
    return QStringLiteral("select * from username where ") + condition;
}

void SubjectList::configureQuery(TZTQueryEx& query) {
    query.clearFields();
    query.setCaption(QStringLiteral("编写查询条件"));
    query.setTabNameHasbracket(false);
    const QString table = QStringLiteral("username");
    query.addField(table, QStringLiteral("id"), TFieldType::String, QStringLiteral("用户ID"));
    query.addField(table, QStringLiteral("name"), TFieldType::String, QStringLiteral("姓名"));
    query.addField(table, QStringLiteral("xb"), TFieldType::String, QStringLiteral("性别"));
    query.addField(table, QStringLiteral("csdate"), TFieldType::Date, QStringLiteral("出生日期"));
    query.addField(table, QStringLiteral("TESTGROU"), TFieldType::String, QStringLiteral("测试分组"));
}

// A cleared edit field is a missing value, as in the bound fields it stands for.
static QVariant textOrNull(const QString& text) {
    return text.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

static QVariantList values(const SubjectRecord& s) {
    return {textOrNull(s.id.trimmed().toUpper()),
            textOrNull(s.name),
            textOrNull(s.sex),
            s.birth.isValid() ? QVariant(s.birth) : textOrNull(QString()),
            textOrNull(s.tel),
            textOrNull(s.group),
            textOrNull(s.address)};
}

void SubjectList::insert(const SubjectRecord& subject) {
    m_db.run(QStringLiteral("insert into username (id,name,xb,csdate,tel,TESTGROU,address) "
                            "values (:i,:n,:x,:c,:t,:g,:a)"),
             values(subject));
}

void SubjectList::update(const QString& oldId, const SubjectRecord& subject) {
    QVariantList params = values(subject);
    params << oldId;
    m_db.run(QStringLiteral("update username set id=:i,name=:n,xb=:x,csdate=:c,tel=:t,TESTGROU=:g,address=:a "
                            "where id=:o"),
             params);
}

void SubjectList::remove(const QString& id) {
    m_db.transaction([&] {
        m_db.run(QStringLiteral("delete from username where id=:i"), {id});
        ResultStore(m_db).deleteResultsOfSubject(id);
        m_db.run(QStringLiteral("delete from testsave where userid=:k"), {id});
    });
}

QString SubjectList::refusalText(const DbError& error) const {
    switch (m_db.dialect().refusalKind(error.message())) {
    case Dialect::Refusal::Duplicate:
        return QStringLiteral("用户ID不能重复,该用户ID已经存在!");
    case Dialect::Refusal::MissingValue:
        return QStringLiteral("用户ID不能为空,请填写后再保存!");
    case Dialect::Refusal::TooLong:
        return QStringLiteral("输入的内容超过了允许的长度(用户ID最长为10位),请修改后再保存!");
    case Dialect::Refusal::Other:
        break;
    }
    return QStringLiteral("数据库拒绝了这次保存: ") + error.message();
}

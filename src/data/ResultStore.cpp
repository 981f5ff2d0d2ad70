// Result persistence in one transaction per save.
#include "ResultStore.h"
#include "Clock.h"

int ResultStore::NextResultId()
{
    const QVariant mm = m_db.scalar(QStringLiteral("select max(id) as mm from [jg]"));
    return (mm.isValid() && !mm.isNull() ? mm.toInt() : 0) + 1;
}

void ResultStore::insertRows(int id, const StoredResult& r)
{
    // Stored as a real date-time of local time to the minute, not as two-digit-year text that
    // each engine would have to guess at.
    QDateTime stamp = (r.savedAt.isValid() ? r.savedAt : Clock::now()).toLocalTime();
    stamp.setTime(QTime(stamp.time().hour(), stamp.time().minute()));
    if (r.scoreOnly)
        m_db.run(QStringLiteral("insert into [jg] (id,userid,username,hmna,timeing,sumcount) values (:p,:o,:i,:u,:y,:t)"),
                 {id, r.userId, r.userName, r.testName, stamp, r.total});
    else
        m_db.run(QStringLiteral("insert into [jg] (id,userid,username,hmna,timeing,sumcount,type,avgcount,maxavgcount,tmc) "
                                "values (:p,:o,:i,:u,:y,:t,:l,:k,:j,:g)"),
                 {id, r.userId, r.userName, r.testName, stamp, r.total, r.conclusion, r.average, r.maxAverage,
                  r.itemCount});
    for (const StoredFactor& f : r.factors) {
        if (r.scoreOnly)
            m_db.run(QStringLiteral("insert into jgmx (jgid,hmna,sumcount) values (:l,:j,:h)"), {id, f.name, f.sum});
        else if (r.factorExplanations)
            m_db.run(QStringLiteral("insert into jgmx (jgid,hmna,sumcount,avgcount,type) values (:l,:j,:h,:g,:p)"),
                     {id, f.name, f.sum, f.average, f.explanation});
        else
            m_db.run(QStringLiteral("insert into jgmx (jgid,hmna,sumcount,avgcount) values (:l,:j,:h,:g)"),
                     {id, f.name, f.sum, f.average});
    }
    // A long inventory has hundreds of item rows: prepare their statement once.
    size_t next = 0;
    m_db.runBatch(QStringLiteral("insert into jgmxx (jgid,topid,sorc) values (:l,:k,:j)"), [&](QVariantList& params) {
        if (next == r.items.size())
            return false;
        const StoredItem& item = r.items[next++];
        params = {id, QStringLiteral("题号：%1").arg(item.number), item.score};
        return true;
    });
}

int ResultStore::save(const StoredResult& result)
{
    // Another instance may take the id between our read and our insert. PostgreSQL: the
    // advisory lock serialises allocation; SQLite: the transaction holds the write lock from
    // its start. A writer outside both (an older program) is met by retrying with a new id.
    constexpr int attempts = 5;
    for (int attempt = 1;; ++attempt) {
        int id = 0;
        try {
            m_db.transaction([&] {
                const QString lock = m_db.dialect().resultIdLock();
                if (!lock.isEmpty())
                    m_db.run(lock);
                id = NextResultId();
                insertRows(id, result);
            });
            return id;
        } catch (const DbError&) {
            if (attempt >= attempts)
                throw;
            // Retry only when the id was taken meanwhile; any other failure is final.
            bool taken = false;
            try {
                taken = m_db.scalar(QStringLiteral("select count(*) from jg where id=:p"), {id}).toInt() > 0;
            } catch (const DbError&) {
            }
            if (!taken)
                throw;
        }
    }
}

void ResultStore::deleteResult(int id)
{
    m_db.transaction([&] {
        m_db.run(QStringLiteral("delete from jgmx where jgid=:p"), {id});
        m_db.run(QStringLiteral("delete from jgmxx where jgid=:p"), {id});
        m_db.run(QStringLiteral("delete from jg where id=:p"), {id});
    });
}

void ResultStore::deleteResultsOfSubject(const QString& userId)
{
    auto work = [&] {
        for (const QSqlRecord& row : m_db.rows(QStringLiteral("select * from jg where userid=:i"), {userId})) {
            const QVariant id = row.value(QStringLiteral("id"));
            m_db.run(QStringLiteral("delete from jgmx where jgid=:i"), {id});
            m_db.run(QStringLiteral("delete from jgmxx where jgid=:i"), {id});
        }
        m_db.run(QStringLiteral("delete from jg where userid=:i"), {userId});
    };
    if (m_db.inTransaction())
        work();
    else
        m_db.transaction(work);
}

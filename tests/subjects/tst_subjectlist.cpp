// Subject rows on the local database: writes, refusals, cascade delete, search.
#include "SubjectListChecks.h"

class TestSubjectList : public QObject {
    Q_OBJECT
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Database> m_db;

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        m_db = m_home->openInfo();
    }
    void cleanup() {
        m_db.reset();
        m_home.reset();
    }

    void cascadeDelete() { SubjectListChecks::cascadeDelete(*m_db); }
    void failedCascadeKeepsEverything() {
        SubjectListChecks::failedCascadeKeepsEverything(
            *m_db, {QStringLiteral("create trigger refuse before delete on testsave begin "
                                   "select raise(abort, 'refused'); end")});
    }
    void writesAndRefusals() { SubjectListChecks::writesAndRefusals(*m_db); }
    void apostropheSearch() { SubjectListChecks::apostropheSearch(*m_db); }
};

QTEST_MAIN(TestSubjectList)
#include "tst_subjectlist.moc"

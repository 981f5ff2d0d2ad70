// The launcher's logic: subjects, ages, the age and sex checks, and which runner a test gets.
#pragma once

#include "SessionContext.h"
#include "data/Database.h"

#include <QDateTime>
#include <QStringList>
#include <QVector>
#include <optional>

// Whole months between a birth date and a moment: |t - b| in days / 30.4375, truncated.
int monthsBetween(const QDateTime& birth, const QDateTime& moment);
// Tests 18 and 48 run on adjusted whole years: below 6 -> 5, 16..99 -> 16, otherwise years.
double adjustedYearsForMatrices(double ageMonths);

enum class RunnerKind {
    PictureMatrix,  // TFrame101: 18, 48
    Temperament,    // TFrame102: 40-43, 125
    DefaultChoice,  // TFrame103
    LifeEvents,     // TFrame104: 102
    ForcedChoice,   // TFrame105: 103
    ScenarioRating, // TFrame106: 104
    Inventory,      // TFrame107: 81
    Cancellation,   // TFrame108: 133
    PlainChoice,    // TFrame109: 147
};
RunnerKind runnerKindFor(int hmid);
QString runnerPageClass(RunnerKind kind);

// One catalogue node of treename.
struct CatalogNode {
    int id = 0;
    int parentId = 0;
    QString name;
    int optionCount = 0;
    int maxAverage = 0;
    int maxAge = 0;
    int minAge = 0;
    QString sex;
    QString description;
    QVector<int> children; // indexes into the node list, sorted by caption
    int level = 0;
    int siblingIndex = 0;
};

struct Catalog {
    QVector<CatalogNode> nodes;
    QVector<int> roots; // sorted by caption
};

// One treename row as a catalogue node (without its place in the tree).
CatalogNode catalogNodeFromRecord(const QSqlRecord& record);
// "select * from  treename" as a tree by id/parentid; a node whose parent is absent is a root.
Catalog loadCatalog(Database& bank);

enum class NodeColour { Green, Red, Blue };
// Levels 0 and 1 green; deeper nodes red at odd sibling positions, blue at even ones.
NodeColour catalogNodeColour(int level, int siblingIndex);

// Writes the seven test members of the session from a clicked node.
void chooseTest(SessionContext& session, const CatalogNode& node);

struct SubjectEntry {
    QString name;
    QString id;
    QString text() const { return name + QLatin1Char('#') + id; }
};
// "select * from username" in the order returned.
QVector<SubjectEntry> loadSubjectEntries(Database& info);

struct ChosenSubject {
    QString sexLabel;   // "性别:" + xb
    QString birthLabel; // "出生日期:" + csdate
    QString nameLabel;  // "姓名:" + name
    QDate birth;
};
// Splits the drop-down text at its first "#", reads the subject and writes the session.
// nullopt when no row was found (the labels are cleared).
std::optional<ChosenSubject> chooseSubject(Database& info, SessionContext& session, const QString& itemText);

// The checks of "开始测试"; an empty message means the run may start. Sets the session age.
struct StartCheck {
    bool ok = false;
    bool warningIcon = false; // the "no subject" refusal is a warning, the others information
    QString message;
};
StartCheck checkStart(SessionContext& session, bool subjectChosen, const QDate& birth, const QDateTime& now);

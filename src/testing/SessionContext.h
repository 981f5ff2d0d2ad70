// The process-wide state of the current subject, test and run.
#pragma once

#include <QString>
#include <QVector>

// One factor (scale) of the current run, in hmez.id order.
struct tmx {
    QString name;        // hmez.ez, trimmed
    int count = 0;
    double sum = 0;
    double average = 0;
    QString explanation; // the norm text found
    QString itemList;    // hmez.topid: ",1,2,3,"

    bool contains(int item) const;
};

using FactorTable = QVector<tmx>;

struct SessionContext {
    QString subjectId;
    QString subjectName;
    QString subjectSex;       // "男" or "女"
    QString testSex;          // "男", "女" or "男女"
    double age = 0;           // whole months; adjusted whole years for tests 18 and 48
    int hmid = 0;
    QString testName;
    int factorCount = 0;
    double total = 0;
    double average = 0;
    int itemCount = 0;
    int optionCount = 0;
    QString conclusion;
    double maxAverage = 0;    // treename.maxavg, stored as jg.maxavgcount
    int maxAge = 0;           // months
    int minAge = 0;           // months
    FactorTable factors;

    // The one instance of the process.
    static SessionContext& current();
    // Back to the start-up state (tests only; the program never resets it).
    void reset() { *this = SessionContext(); }
};

// Unsaved-result flag: set when a runner shows a scored result, cleared by a successful save.
bool unsavedResult();
void setUnsavedResult(bool value);

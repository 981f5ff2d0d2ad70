// The one source of "now"; tests set it so that ages and timestamps are reproducible.
#pragma once

#include <QDateTime>

class Clock {
public:
    static QDateTime now();
    static QDate today() { return now().date(); }
    // Fixes "now" for tests; an invalid value returns to the system clock.
    static void setFixed(const QDateTime& moment);
};

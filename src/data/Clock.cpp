// The settable clock.
#include "Clock.h"

static QDateTime s_fixed;

QDateTime Clock::now()
{
    return s_fixed.isValid() ? s_fixed : QDateTime::currentDateTime();
}

void Clock::setFixed(const QDateTime& moment)
{
    s_fixed = moment;
}

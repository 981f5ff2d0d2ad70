// The session state and the unsaved-result flag.
#include "SessionContext.h"

bool tmx::contains(int item) const
{
    return itemList.contains(QLatin1Char(',') + QString::number(item) + QLatin1Char(','));
}

SessionContext& SessionContext::current()
{
    static SessionContext context;
    return context;
}

static bool s_unsaved = false;

bool unsavedResult()
{
    return s_unsaved;
}

void setUnsavedResult(bool value)
{
    s_unsaved = value;
}

#include "core/StartupValues.h"

#include "core/ThaiDate.h"

StartupValues StartupValues::fromServerClock(const QDateTime& serverNow)
{
    StartupValues values;
    values.currentDate = CurrentDateText(serverNow);
    values.budgetYear = BudgetYearOf(values.currentDate);
    return values;
}

#pragma once

#include <QDateTime>
#include <QString>

// Values fixed once at start-up and sign-in and read by every window. They
// are never recomputed, so a session left running past midnight or into
// October keeps its start-up date and budget year.
struct StartupValues {
    QString currentDate; // dd/mm/yyyy, Buddhist era
    QString budgetYear;  // 4 digits
    QString loginUser;   // T_USER.Username of the signed-in user
    int rightsLevel = 0; // T_USER.section

    // Fills currentDate and budgetYear.
    static StartupValues fromServerClock(const QDateTime& serverNow);
};

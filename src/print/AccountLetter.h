#pragma once

#include "print/Page.h"

#include <QList>
#include <QString>

// One user account as the sign-in letter prints it (T_USER).
struct LetterAccount {
    int id = 0;          // ID
    QString username;    // Username
    QString password;    // Password
    QString firstName;   // U_F_Name
    QString lastName;    // U_L_Name
    QString factName;    // Fact_Name: faculty or unit, in the address block
    QString sectionName; // Section_Name, under the credentials
};

// One letter page per account, in the order given; a single empty page when
// there is none. currentDate is the program's start-up date (dd/mm/yyyy,
// Buddhist era), printed in long form as "วันที่ 8 ธันวาคม 2569".
QList<Page> BuildAccountLetters(const QList<LetterAccount>& accounts, const QString& currentDate);

// The letter's date line for a dd/mm/yyyy date.
QString LetterDateLine(const QString& currentDate);

#pragma once

#include <QVariantList>

class Database;

// One T_USER row: ID, Username, Password, section, U_Surname, U_F_Name,
// U_L_Name, U_Position, U_Tel_No, frmCaption, Fact_Name, Section_Name.
void addUserAccount(Database& db, const QVariantList& values);

// Fills a new database with realistic demonstration data: locations, cost
// types, shops with fixed costs, invoices over two budget years in every
// status, and one account per rights level.
void fillDemoData(Database& db);

#pragma once

#include "data/StartupQueries.h"

class Database;

// One T_USER row.
void addUserAccount(Database& db, const UserAccount& account);

// Fills a new database with realistic demonstration data: locations, cost
// types, shops with fixed costs, invoices over two budget years in every
// status, and one account per rights level.
void fillDemoData(Database& db);

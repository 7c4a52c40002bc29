#pragma once

class Database;

// Fills a new database with realistic demonstration data: locations, cost
// types, shops with fixed costs, invoices over two budget years in every
// status, and one account per rights level.
void fillDemoData(Database& db);

#pragma once

#include <QString>

#include <array>

// How overdue an invoice is, in the four ages every listing, letter and
// chart of what is owed uses.

// The age of an invoice that many days overdue: 0 for 1–30 days, 1 for
// 31–60, 2 for 61–90, 3 beyond 90.
int OverdueAgeBracket(int daysOverdue);

// The ages' headings: "1–30 วัน", "31–60 วัน", "61–90 วัน", "เกิน 90 วัน".
const std::array<QString, 4>& OverdueAgeLabels();

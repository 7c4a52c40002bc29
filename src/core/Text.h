#pragma once

#include <QString>

// Small text routines shared by every window and by core itself.

// Removes every thousands separator so the amount can go into SQL text;
// an empty result becomes "0".
QString StripCommas(const QString& text);

// Trim space characters (code 32) only; tabs and other white space stay.
QString TrimSpaces(const QString& text);
QString TrimLeftSpaces(const QString& text);
QString TrimRightSpaces(const QString& text);

// The code at the start of a list entry "code    name" (or as typed): blanks
// before it skipped, the first codeLength characters, blanks trimmed.
QString CodeOfEntry(const QString& entry, int codeLength);

// The last n characters of text, or all of it when it is shorter.
QString RightChars(const QString& text, int n);

#pragma once

#include <QString>

// Small text routines shared by every window and by core itself.

// Removes every comma, wherever it stands (nothing checks that they group
// thousands), so that an amount typed as "1,234.50" parses: ParseTypedAmount
// reads typed amounts through it. An empty result becomes "0", so an empty
// field or one of commas alone reads as zero; spaces are kept.
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

// A title as a file's name: each character a file name may not hold on the
// office's systems (/ \ : * ? " < > |) becomes "-", blanks around are
// trimmed. The extension is the caller's.
QString FileNameOf(const QString& title);

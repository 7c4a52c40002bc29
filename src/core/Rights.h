#pragma once

#include <QList>

// Which rights levels may do what: the menus give each level its windows by
// these, and the commands that record a person accept only a person whose
// level may do the same in the windows.
namespace Rights {

inline const QList<int> kEveryLevel = {3, 6, 9};
// Level 6 records remittances; issuing, reprinting and payment dates are not
// theirs. Level 3 does the reverse.
inline const QList<int> kBilling = {3, 9};
inline const QList<int> kRemittance = {6, 9};
inline const QList<int> kAdministrator = {9};

// The levels an account may be given.
inline bool IsAccountLevel(int level)
{
    return kEveryLevel.contains(level);
}

} // namespace Rights

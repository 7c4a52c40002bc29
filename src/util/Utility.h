#pragma once

#include "core/Money.h"
#include "core/Text.h"

#include <QString>

// The amount in Thai words; the plain text routines it shares with every
// window are core's (core/Text.h).

// Writes an amount of money in Thai words as printed on the invoice:
// baht, then satang, or "ถ้วน" when there are no satang.
// Negative amounts are prefixed with "ลบ"; amounts of ten million million
// baht or more keep applying the millions rule ("...ล้านล้าน").
QString BahtText(Money amount);

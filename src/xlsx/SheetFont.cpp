#include "xlsx/SheetFont.h"

#include <QChar>

#include <cmath>

namespace SheetFont {

namespace {

// Laksaman's advances (its em is 1000 units), U+0020 to U+007E.
constexpr short kAscii[] = {
    324, 221, 312, 606, 543, 879, 636, 180, 285, 285, 428, 618, 243, 324, 243, 406, // U+0020
    544, 544, 544, 544, 544, 544, 544, 544, 544, 544, 243, 243, 618, 618, 618, 425, // U+0030
    806, 601, 568, 610, 648, 527, 527, 639, 663, 221, 397, 565, 530, 824, 663, 731, // U+0040
    568, 732, 570, 529, 570, 700, 586, 884, 628, 550, 637, 294, 394, 294, 619, 529, // U+0050
    306, 517, 603, 497, 603, 562, 309, 467, 586, 215, 233, 475, 300, 904, 586, 598, // U+0060
    603, 603, 326, 424, 357, 586, 512, 762, 478, 506, 482, 312, 230, 312, 625,      // U+0070
};

constexpr int kWidest = 1048; // U+0E5B, the widest character of the font

// U+0E01 to U+0E5B. The marks above and below (U+0E31, U+0E34 to U+0E3A,
// U+0E47 to U+0E4E) take no width; the four unassigned code points count as
// the widest.
constexpr short kThai[] = {
    580, 568, 574, 591, 591, 613, 442, 552, 567, 568, 574, 780, 780, 639, 639, 515, // U+0E01
    693, 800, 816, 588, 588, 568, 646, 503, 631, 643, 643, 573, 573, 672, 672, 639, // U+0E11
    601, 564, 484, 568, 573, 639, 503, 591, 658, 573, 642, 682, 582, 559, 588, 536, // U+0E21
    0,   475, 475, 0,   0,   0,   0,   0,   0,   0,   1048, 1048, 1048, 1048, 618, 305, // U+0E31
    567, 356, 364, 367, 308, 600, 0,   0,   0,   0,   0,   0,   0,   0,   676, 675, // U+0E41
    675, 675, 675, 675, 675, 675, 675, 675, 675, 785, 1048,                         // U+0E51
};

static_assert(sizeof kAscii / sizeof kAscii[0] == 0x7E - 0x20 + 1);
static_assert(sizeof kThai / sizeof kThai[0] == 0x0E5B - 0x0E01 + 1);

// The tallest ascent and the deepest descent the font reserves.
constexpr int kAscent = 1279;
constexpr int kDescent = 376;

} // namespace

int advance(char32_t c)
{
    if (c >= 0x20 && c <= 0x7E)
        return kAscii[c - 0x20];
    if (c >= 0x0E01 && c <= 0x0E5B)
        return kThai[c - 0x0E01];
    if (c == 0xA0) // no-break space
        return kAscii[0];
    if (QChar::category(c) == QChar::Mark_NonSpacing)
        return 0;
    return kWidest;
}

double widthEm(QStringView text)
{
    int units = 0;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        // Most of a listing is digits, Latin and Thai: straight from the tables.
        if (u >= 0x20 && u <= 0x7E)
            units += kAscii[u - 0x20];
        else if (u >= 0x0E01 && u <= 0x0E5B)
            units += kThai[u - 0x0E01];
        else if (ch.isLowSurrogate())
            continue; // counted with its high half
        else if (ch.isHighSurrogate())
            units += kWidest;
        else
            units += advance(u);
    }
    return units / 1000.0;
}

double digitWidthEm()
{
    return kAscii['0' - 0x20] / 1000.0; // the ten digits share one width
}

double lineHeightEm()
{
    return (kAscent + kDescent) / 1000.0;
}

double columnCharacters(QStringView text, double textSize, double standardSize)
{
    return widthEm(text) * textSize / (digitWidthEm() * standardSize);
}

double rowHeightFor(double size)
{
    // A reader sets a bottom-aligned line a little above the cell's bottom
    // edge; the tallest stack of marks needs that room again at the top.
    constexpr double kRoom = 0.15; // ems
    return std::ceil((lineHeightEm() + kRoom) * size);
}

} // namespace SheetFont

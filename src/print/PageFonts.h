#pragma once

#include "print/Page.h"

#include <QFont>

class QPaintDevice;

// The faces the pages were designed with are not on this system; TLWG and
// Liberation faces stand in for them.
inline const QString kThaiFamily = QStringLiteral("Kinnari");         // the Thai serif face
inline const QString kLatinFamily = QStringLiteral("Liberation Sans"); // Arial's metric twin

// The designed point size is multiplied by this before use. The Thai face the
// forms were drawn for is small on its body, so the same nominal size of
// Kinnari prints about one and a half times as large (0.6 in practice, see
// PageFonts.cpp); Liberation Sans matches Arial and keeps its size.
qreal FamilyScale(const QString& family);

inline TextStyle ThaiStyle(qreal pointSize, bool bold = false, bool underline = false)
{
    return {kThaiFamily, pointSize, bold, underline};
}
inline TextStyle LatinStyle(qreal pointSize, bool bold = false)
{
    return {kLatinFamily, pointSize, bold, false};
}

// The font a text is painted with, at the family's scaled size.
QFont PageFont(const TextStyle& style);

// True when the font database has the family itself, not a substitute.
bool FontResolves(const QString& family);

// QPainter::drawText flags for a text item.
int TextFlags(const PageItem& item);

// The font an item is painted with on this device: PageFont, lowered in small
// steps for a shrink-to-fit item until its text fits the box as it is laid
// out on the device. Sizes never go below a quarter of the scaled size.
QFont FittedFont(const PageItem& item, const QPaintDevice* device);

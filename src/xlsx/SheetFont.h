#pragma once

#include <QString>
#include <QStringView>

// The font of the exported workbooks and the measures of it that the sheet's
// layout needs: how wide a text is, how tall a line.
//
// "TH Sarabun New" is the Thai government offices' standard font and is on
// their Windows machines; on Debian, fonts-thai-tlwg maps the name to
// Laksaman, drawn from the same design. The widths below are Laksaman's glyph
// advances, so that a width worked out here can be checked against the font a
// reader really uses; the export widens every estimate by a margin on top.
//
// Measuring works on text alone, without a font engine: the command line and
// the benchmarks build sheets without a display, and a long listing's cells
// are measured far faster this way than shaped one by one.
namespace SheetFont {

inline const QString kName = QStringLiteral("TH Sarabun New");

// Advance of a character in thousandths of an em; 0 for the Thai marks that
// stack above or below their consonant and the combining marks; the widest
// advance known for a character the table does not hold.
int advance(char32_t c);

// Width of a text in ems, the sum of its advances: at least the shaped width,
// since the font's shaping only stacks marks and does not widen a line.
double widthEm(QStringView text);

// The widest of the ten digits, in ems: a spreadsheet's column-width unit is
// that width in the workbook's standard font.
double digitWidthEm();

// From the top of the tallest mark to the bottom of the lowest, in ems, as the
// font reserves it for a line.
double lineHeightEm();

// The column width, in characters of the standard font of size
// `standardSize`, that a text of `textSize` points fills; no margin added.
double columnCharacters(QStringView text, double textSize, double standardSize);

// A row height in points that holds one line of the font at `size` points
// with its marks, rounded up to whole points.
double rowHeightFor(double size);

} // namespace SheetFont

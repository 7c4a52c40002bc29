#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// A printed page described as data: items at millimetre positions measured
// from the top-left corner of an A4 sheet. Nothing here paints, so layouts can
// be checked without a paint device; PagePainter draws them.

inline constexpr qreal kPageWidthMm = 210.0;
inline constexpr qreal kPageHeightMm = 297.0;

// Font as the page asks for it. pointSize is the size the form was designed
// with; the stand-in family's scale is applied when the font is made
// (PageFonts.h), so layouts keep the designed figures.
struct TextStyle {
    QString family;
    qreal pointSize = 12.0;
    bool bold = false;
    bool underline = false;
};

struct PageItem {
    enum class Kind { Text, Rect, Line, Picture, Fill };

    Kind kind = Kind::Text;
    // Text, Rect, Picture and Fill: the box. Line: from topLeft() to bottomRight()
    // (a zero width or height makes it vertical or horizontal).
    QRectF mm;

    // Text only.
    QString text;
    // Text: the field a filled text comes from; empty for fixed texts.
    // Fill: the symbol the box belongs to (a barcode's bars share a name).
    QString name;
    TextStyle style;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    // Filled texts may be longer than the form foresaw: rather than run out
    // of the box, the painter lowers the size until the text fits.
    bool shrinkToFit = false;

    // Rect and Line.
    qreal penMm = 0.2;
    Qt::PenStyle penStyle = Qt::SolidLine;

    // Picture, drawn scaled into the box.
    QImage image;

    // Fill and Line: the colour; black for the bars and modules of a symbol
    // and for every rule but a chart's.
    QColor color = Qt::black;

    bool isText() const { return kind == Kind::Text; }
};

struct Page {
    QList<PageItem> items;
    // An A4 sheet turned on its side: 297 mm wide and 210 mm high.
    bool landscape = false;
    // The page shows a national ID number or a password: a file it is
    // written to is its owner's alone.
    bool personalData = false;

    PageItem& addText(const QRectF& mm, const QString& text, const TextStyle& style,
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    PageItem& addField(const QString& name, const QRectF& mm, const QString& text, const TextStyle& style,
                       Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    PageItem& addRect(const QRectF& mm, qreal penMm);
    PageItem& addLine(const QPointF& fromMm, const QPointF& toMm, qreal penMm,
                      Qt::PenStyle style = Qt::SolidLine);
    PageItem& addPicture(const QRectF& mm, const QImage& image);
    // A solid black box without outline: a bar or module of a barcode.
    PageItem& addFill(const QRectF& mm, const QString& name);
    // A box filled with a colour of a chart.
    PageItem& addFill(const QRectF& mm, const QString& name, const QColor& color);

    qreal widthMm() const { return landscape ? kPageHeightMm : kPageWidthMm; }
    qreal heightMm() const { return landscape ? kPageWidthMm : kPageHeightMm; }

    // The text item filled from the named field, or nullptr.
    const PageItem* field(const QString& name) const;
    // Every text item whose text is exactly this, in page order.
    QList<const PageItem*> textItems(const QString& text) const;
    // The texts of all text items, in page order.
    QStringList texts() const;
    QList<const PageItem*> itemsOfKind(PageItem::Kind kind) const;
    // The boxes filled for the named symbol, in page order.
    QList<QRectF> fills(const QString& name) const;

private:
    // A new item of this kind in this box, appended last.
    PageItem& add(PageItem::Kind kind, const QRectF& mm);
};

#include "print/Page.h"

PageItem& Page::add(PageItem::Kind kind, const QRectF& mm)
{
    PageItem& item = items.emplace_back();
    item.kind = kind;
    item.mm = mm;
    return item;
}

PageItem& Page::addText(const QRectF& mm, const QString& text, const TextStyle& style, Qt::Alignment align)
{
    PageItem& item = add(PageItem::Kind::Text, mm);
    item.text = text;
    item.style = style;
    item.align = align;
    return item;
}

PageItem& Page::addField(const QString& name, const QRectF& mm, const QString& text, const TextStyle& style,
                         Qt::Alignment align)
{
    PageItem& item = addText(mm, text, style, align);
    item.name = name;
    item.shrinkToFit = true;
    return item;
}

PageItem& Page::addRect(const QRectF& mm, qreal penMm)
{
    PageItem& item = add(PageItem::Kind::Rect, mm);
    item.penMm = penMm;
    return item;
}

PageItem& Page::addLine(const QPointF& fromMm, const QPointF& toMm, qreal penMm, Qt::PenStyle style)
{
    PageItem& item = add(PageItem::Kind::Line, QRectF(fromMm, toMm));
    item.penMm = penMm;
    item.penStyle = style;
    return item;
}

PageItem& Page::addPicture(const QRectF& mm, const QImage& image)
{
    PageItem& item = add(PageItem::Kind::Picture, mm);
    item.image = image;
    return item;
}

PageItem& Page::addFill(const QRectF& mm, const QString& name)
{
    PageItem& item = add(PageItem::Kind::Fill, mm);
    item.name = name;
    return item;
}

PageItem& Page::addFill(const QRectF& mm, const QString& name, const QColor& color)
{
    PageItem& item = addFill(mm, name);
    item.color = color;
    return item;
}

const PageItem* Page::field(const QString& name) const
{
    for (const PageItem& item : items) {
        if (item.isText() && item.name == name)
            return &item;
    }
    return nullptr;
}

QList<const PageItem*> Page::textItems(const QString& text) const
{
    QList<const PageItem*> found;
    for (const PageItem& item : items) {
        if (item.isText() && item.text == text)
            found.append(&item);
    }
    return found;
}

QStringList Page::texts() const
{
    QStringList all;
    for (const PageItem& item : items) {
        if (item.isText())
            all.append(item.text);
    }
    return all;
}

QList<const PageItem*> Page::itemsOfKind(PageItem::Kind kind) const
{
    QList<const PageItem*> found;
    for (const PageItem& item : items) {
        if (item.kind == kind)
            found.append(&item);
    }
    return found;
}

QList<QRectF> Page::fills(const QString& name) const
{
    QList<QRectF> found;
    for (const PageItem& item : items) {
        if (item.kind == PageItem::Kind::Fill && item.name == name)
            found.append(item.mm);
    }
    return found;
}

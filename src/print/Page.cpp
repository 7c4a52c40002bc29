#include "print/Page.h"

PageItem& Page::addText(const QRectF& mm, const QString& text, const TextStyle& style, Qt::Alignment align)
{
    PageItem item;
    item.kind = PageItem::Kind::Text;
    item.mm = mm;
    item.text = text;
    item.style = style;
    item.align = align;
    items.append(item);
    return items.last();
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
    PageItem item;
    item.kind = PageItem::Kind::Rect;
    item.mm = mm;
    item.penMm = penMm;
    items.append(item);
    return items.last();
}

PageItem& Page::addLine(const QPointF& fromMm, const QPointF& toMm, qreal penMm, Qt::PenStyle style)
{
    PageItem item;
    item.kind = PageItem::Kind::Line;
    item.mm = QRectF(fromMm, toMm);
    item.penMm = penMm;
    item.penStyle = style;
    items.append(item);
    return items.last();
}

PageItem& Page::addPicture(const QRectF& mm, const QImage& image)
{
    PageItem item;
    item.kind = PageItem::Kind::Picture;
    item.mm = mm;
    item.image = image;
    items.append(item);
    return items.last();
}

PageItem& Page::addFill(const QRectF& mm, const QString& name)
{
    PageItem item;
    item.kind = PageItem::Kind::Fill;
    item.mm = mm;
    item.name = name;
    items.append(item);
    return items.last();
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

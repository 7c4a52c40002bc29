#include "ui/Appearance.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStyle>

#include <QApplication>
#include <QFontInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace Appearance {

QFont uiFont()
{
    QFont font(QString::fromLatin1(UiFontFamily));
    font.setPointSizeF(UiFontPointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void apply()
{
    QApplication::setFont(uiFont());
    QApplication::setWindowIcon(programIcon());
}

int scaled(int oldPixels)
{
    if (oldPixels <= 0)
        return oldPixels;
    const QFont font = QApplication::font();
    double points = font.pointSizeF();
    if (points <= 0)  // a font set in pixels
        points = font.pixelSize() * 72.0 / 96.0;
    return int(std::lround(oldPixels * points / LayoutPointSize));
}

namespace {

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // The sheet, its lower part the bank slip below a dashed fold.
    QPainterPath sheet;
    sheet.addRoundedRect(QRectF(10, 4, 44, 56), 4, 4);
    p.fillPath(sheet, QColor(250, 250, 245));
    p.setPen(QPen(QColor(12, 5, 143), 2.5));
    p.drawPath(sheet);
    p.setPen(QPen(QColor(12, 5, 143), 1.5, Qt::DashLine));
    p.drawLine(QPointF(12, 40), QPointF(52, 40));
    p.setPen(QPen(QColor(120, 120, 140), 2));
    for (int y : {46, 52})
        p.drawLine(QPointF(16, y), QPointF(48, y));

    // The baht sign.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(28);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 120, 70));
    p.drawText(QRectF(10, 6, 44, 32), Qt::AlignCenter, QStringLiteral("\u0E3F"));
    return pixmap;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(drawIcon(size));
    return icon;
}

} // namespace Appearance

void Appearance::setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::Disabled, QPalette::Text, colour);
    widget->setPalette(palette);
}

void Appearance::fitAmountField(QLineEdit* edit)
{
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QMargins text = edit->textMargins();
    // The frame on either side, the line edit's own two-pixel inner margin
    // and the cursor.
    const int frame = 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const int width = edit->fontMetrics().horizontalAdvance(WidestAmountText) + text.left()
        + text.right() + frame + 2 * 2 + 4;
    edit->setFixedWidth(width);
}

void Appearance::showForReading(QLineEdit* edit)
{
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColor(242, 242, 242));
    edit->setPalette(palette);
}

void Appearance::showForReading(QComboBox* combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setFocusPolicy(Qt::ClickFocus);
    showForReading(combo->lineEdit());
}

// Thai marks stacked above and below a letter stay inside the field, the grid
// cell and the button that show them: checked on the rendered pixels.
#include "ui/Appearance.h"
#include "ui/StringGrid.h"

#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace {

const QString kStacked = QStringLiteral("ปั๊มน้ำก้ำกึ่ง เครื่องปรุง ฎีกา ฤๅษี");

// The pixels where two renderings of one widget differ: the text's ink.
QRect inkBetween(const QImage& without, const QImage& with)
{
    QRect box;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (without.pixel(x, y) != with.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The height of the text's ink drawn freely, nothing around it to cut it.
int freeInkHeight(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    QImage blank(metrics.horizontalAdvance(text) + 40, metrics.height() * 3, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QImage inked = blank;
    QPainter p(&inked);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(20, metrics.height() * 2, text);
    p.end();
    return inkBetween(blank, inked).height();
}

QImage grabOf(QWidget* widget)
{
    QApplication::processEvents();
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestThaiFit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Appearance::apply();
        // The face the program asks for is there, not a stand-in.
        QCOMPARE(QFontInfo(QApplication::font()).family(), QString::fromLatin1(Appearance::UiFontFamily));
    }

    void fieldHoldsEveryMark()
    {
        QLineEdit field;
        field.setFocusPolicy(Qt::NoFocus);  // no focus frame or cursor to tell apart
        field.resize(field.sizeHint().width() * 3, field.sizeHint().height());
        field.show();
        grabOf(&field);  // the first paint after show settles the style
        const QImage empty = grabOf(&field);
        field.setText(kStacked);
        field.setCursorPosition(0);
        const QRect ink = inkBetween(empty, grabOf(&field));
        const int frame = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &field);
        const QRect inside = field.rect().adjusted(frame, frame, -frame, -frame);
        QVERIFY2(inside.contains(ink), qPrintable(QStringLiteral("ink %1,%2 %3x%4 inside %5x%6")
                                                     .arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())
                                                     .arg(inside.width()).arg(inside.height())));
        QCOMPARE(ink.height(), freeInkHeight(field.font(), kStacked));
    }

    void gridCellHoldsEveryMark()
    {
        StringGrid grid;
        grid.resetGrid({{QStringLiteral("No"), 50}, {QStringLiteral("ชื่อร้าน"), 400}});
        grid.resize(Appearance::scaled(500), 200);
        grid.show();
        grid.clearSelection();
        grid.setCurrentIndex({});
        const QImage empty = grabOf(grid.viewport());
        grid.setCell(1, 1, kStacked);
        QApplication::processEvents();
        const QRect ink = inkBetween(empty, grabOf(grid.viewport()));
        const QRect cell = grid.visualRect(grid.model()->index(0, 1));
        QVERIFY2(cell.adjusted(0, 0, -1, -1).contains(ink),
                 qPrintable(QStringLiteral("ink y %1..%2, cell y %3..%4")
                                .arg(ink.top()).arg(ink.bottom()).arg(cell.top()).arg(cell.bottom())));
        QCOMPARE(ink.height(), freeInkHeight(grid.font(), kStacked));
    }

    void buttonCaptionHoldsEveryMark()
    {
        const QString caption = QStringLiteral("บันทึกข้อมูล ปั๊มน้ำ");
        QPushButton button(QStringLiteral(" "));
        button.resize(button.sizeHint().width() + 200, button.sizeHint().height());
        button.show();
        const QImage empty = grabOf(&button);
        button.setText(caption);
        QStyleOptionButton option;
        option.initFrom(&button);
        const QRect contents = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
        const QRect ink = inkBetween(empty, grabOf(&button));
        QVERIFY(contents.contains(ink));
        QCOMPARE(ink.height(), freeInkHeight(button.font(), caption));
    }

    void widthsGrowWithTheFont()
    {
        // 10-point text in room made for 8-point text.
        QCOMPARE(Appearance::scaled(0), 0);
        QCOMPARE(Appearance::scaled(100), 125);
        QCOMPARE(Appearance::scaled(50), 63);
    }
};

QTEST_MAIN(TestThaiFit)
#include "tst_thai_fit.moc"

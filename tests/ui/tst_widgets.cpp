// The shared widgets: string grid, masked date edit, Enter-moves-focus.
#include "core/ThaiDate.h"
#include "ui/Appearance.h"
#include "ui/DateMaskEdit.h"
#include "ui/EnterMovesFocus.h"
#include "ui/StringGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    void gridResetsToHeaderAndOneEmptyRow()
    {
        StringGrid grid;
        grid.resetGrid({{"No", 50}, {"ชื่อร้าน", 100}, {"CF CODE", 0}});
        QCOMPARE(grid.colCount(), 3);
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.cell(1, 0), QStringLiteral("ชื่อร้าน"));
        QCOMPARE(grid.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("CF CODE"));
        QCOMPARE(grid.cell(1, 1), QString());
        QVERIFY(grid.isColumnHidden(2));
        QCOMPARE(grid.colWidth(1), 100);
        QCOMPARE(grid.columnWidth(0), Appearance::scaled(50));
        // The last shown column reaches the grid's right edge.
        grid.resize(800, 300);
        QVERIFY(grid.columnWidth(1) >= Appearance::scaled(100));
        QCOMPARE(grid.columnViewportPosition(1) + grid.columnWidth(1), grid.viewport()->width());
        QCOMPARE(grid.currentRow(), 1);

        // Growing row by row, then a shorter result drops the extra rows.
        for (int i = 1; i <= 5; ++i) {
            grid.setRowCount(i + 1);
            grid.setCell(0, i, QString::number(i));
            grid.setCell(2, i, QStringLiteral("CF2570000%1").arg(i));
        }
        QCOMPARE(grid.rowCount(), 6);
        QCOMPARE(grid.model()->rowCount(), 5);
        grid.setCurrentRow(4);
        QCOMPARE(grid.currentCell(2), QStringLiteral("CF25700004"));
        grid.setRowCount(3);
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(grid.cell(2, 3), QString());

        // A reset keeps the hidden key column hidden and empties the data.
        grid.resetGrid({{"No", 50}, {"ชื่อร้าน", 100}, {"CF CODE", 0}});
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.cell(2, 1), QString());
        QVERIFY(grid.isColumnHidden(2));
        QCOMPARE(grid.currentRow(), 1);
    }

    void gridHoldsLargeListings()
    {
        StringGrid grid;
        grid.resetGrid({{"No", 50}, {"A", 80}, {"B", 80}});
        const int rows = 100000;
        grid.setRowCount(rows + 1);
        for (int i = 1; i <= rows; ++i)
            grid.setCell(0, i, QString::number(i));
        QCOMPARE(grid.model()->rowCount(), rows);
        QCOMPARE(grid.cell(0, rows), QString::number(rows));
    }

    void dateMaskReadsTenCharacters()
    {
        DateMaskEdit edit;
        edit.show();
        QCOMPARE(edit.maskedText(), QStringLiteral("  /  /    "));
        edit.setFocus();
        QTest::keyClicks(&edit, QStringLiteral("05012570"));
        QCOMPARE(edit.maskedText(), QStringLiteral("05/01/2570"));
        edit.clearDate();
        QCOMPARE(edit.maskedText(), QStringLiteral("  /  /    "));
        for (const QString& stored : {QStringLiteral("31/12/2569"), QStringLiteral("  /  /    "),
                                      QStringLiteral(" 5/13/2570")}) {
            edit.setMaskedText(stored);
            QCOMPARE(edit.maskedText(), stored);
        }
        // A real date kept with blanks comes out zero-padded.
        edit.setMaskedText(QStringLiteral(" 5/ 1/2570"));
        QCOMPARE(edit.maskedText(), QStringLiteral("05/01/2570"));
        // Letters cannot be typed into the date.
        edit.clearDate();
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QStringLiteral("ab12"));
        QVERIFY(!edit.maskedText().contains(QLatin1Char('a')));
    }

    void dateTypedShortIsStoredPadded()
    {
        DateMaskEdit edit;
        edit.show();
        edit.setFocus();
        edit.setCursorPosition(0);
        // The slash jumps to the next part, leaving the day and month short.
        QTest::keyClicks(&edit, QStringLiteral("1/2/2569"));
        QCOMPARE(edit.maskedText(), QStringLiteral("01/02/2569"));
        QCOMPARE(DisplayToSortDate(edit.maskedText()), QStringLiteral("25690201"));

        // Not a real date: the digits right-aligned behind blanks, as the
        // mask keeps optional digits, and never padded into another date.
        edit.clearDate();
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QStringLiteral("31/2/2569"));
        QCOMPARE(edit.maskedText(), QStringLiteral("31/ 2/2569"));
        edit.clearDate();
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QStringLiteral("1/2/25"));
        QCOMPARE(edit.maskedText(), QStringLiteral(" 1/ 2/25  "));
        // Leaving the field shows what will be stored.
        edit.clearDate();
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QStringLiteral("9/9/2569"));
        emit edit.editingFinished();
        QCOMPARE(edit.displayText(), QStringLiteral("09/09/2569"));
    }

    // A window opening with the focus in a filled date: the first digit
    // typed starts a new date instead of landing past the mask.
    void aWindowOpeningOnADateSelectsIt()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* date = new DateMaskEdit(&window);
        layout->addWidget(date);
        layout->addWidget(new QLineEdit(&window));
        date->setMaskedText(QStringLiteral("01/12/2569"));
        date->setFocus();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), date);
        QCOMPARE(date->selectedText(), QStringLiteral("01/12/2569"));
        QTest::keyClicks(date, QStringLiteral("31012570"));
        QCOMPARE(date->maskedText(), QStringLiteral("31/01/2570"));
    }

    void focusStaysUntilTheYearIsComplete()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* date = new DateMaskEdit(&window);
        auto* next = new QLineEdit(&window);
        layout->addWidget(date);
        layout->addWidget(next);
        window.show();
        QApplication::setActiveWindow(&window);
        date->setFocus();
        date->setCursorPosition(0);
        QTest::keyClicks(date, QStringLiteral("01/02/25"));
        QTest::keyClick(date, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), date);
        QTest::keyClicks(date, QStringLiteral("69"));
        QTest::keyClick(date, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), next);
        // An untouched field lets the focus go.
        date->clearDate();
        date->setFocus();
        QTest::keyClick(date, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), next);
    }

    void gridRowsReplacedAtOnceAndRemoved()
    {
        StringGrid grid;
        grid.resetGrid({{"No", 50}, {"รหัสรายการ", 50}, {"ชื่อรายการ", 150}});
        QSignalSpy resets(grid.model(), &QAbstractItemModel::modelReset);
        QSignalSpy changes(grid.model(), &QAbstractItemModel::dataChanged);
        grid.setDataRows({{"1", "001", "ค่าเช่า"}, {"2", "002"}, {"3", "003", "ค่าไฟฟ้า"}});
        QCOMPARE(resets.count(), 1);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(grid.rowCount(), 4);
        QCOMPARE(grid.cell(0, 0), QStringLiteral("No"));  // the header stays
        QCOMPARE(grid.cell(2, 2), QString());             // short rows padded
        QVERIFY(grid.columnWidth(2) >= Appearance::scaled(150));
        // A header wider than its column's width widens the column.
        QVERIFY(Appearance::scaled(50) < grid.horizontalHeader()->fontMetrics().horizontalAdvance(grid.cell(1, 0)));
        QVERIFY(grid.columnWidth(1) > grid.horizontalHeader()->fontMetrics().horizontalAdvance(grid.cell(1, 0)));
        // An amount column: at the right, and room for the largest amount.
        grid.setAmountColumn(1);
        QVERIFY(grid.columnWidth(1) > grid.fontMetrics().horizontalAdvance(QStringLiteral("99,999,999,999.99")));
        QCOMPARE(grid.model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
                 Qt::AlignRight);
        QCOMPARE(grid.model()->index(0, 2).data(Qt::TextAlignmentRole), QVariant());

        grid.removeRow(2);
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(grid.cell(1, 2), QStringLiteral("003"));
        grid.removeRow(5);  // no such row: nothing happens
        grid.removeRow(0);  // nor to the header
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(grid.cell(1, 0), QStringLiteral("รหัสรายการ"));
        grid.removeRow(1);
        grid.removeRow(1);
        // The last line leaves the one empty row an empty list has.
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.cell(1, 1), QString());
        grid.setDataRows({});
        QCOMPARE(grid.rowCount(), 2);
    }

    void cutOffCellsShowTheirWholeText()
    {
        StringGrid grid;
        grid.resetGrid({{"No", 50}, {"ชื่อร้าน", 60}, {"ที่อยู่", 60}});
        grid.appendRow({"1", "ร้านก๋วยเตี๋ยวเรือป้าน้อยสาขาโรงอาหารกลาง"});
        grid.appendRow({"2", "ก"});
        QCOMPARE(grid.toolTipAt(1, 2), QStringLiteral("ร้านก๋วยเตี๋ยวเรือป้าน้อยสาขาโรงอาหารกลาง"));
        QCOMPARE(grid.toolTipAt(1, 3), QString());
        QCOMPARE(grid.toolTipAt(0, 2), QString());
    }

    void enterMovesOnlyFromTheNamedFields()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* first = new QLineEdit(&window);
        auto* combo = new QComboBox(&window);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        auto* second = new QLineEdit(&window);
        auto* third = new QLineEdit(&window);
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(combo), static_cast<QWidget*>(second),
                           static_cast<QWidget*>(third)})
            layout->addWidget(w);
        EnterMovesFocus::install(&window, {first, combo});
        window.show();
        QApplication::setActiveWindow(&window);

        first->setFocus();
        QTest::keyClick(first, Qt::Key_Return);
        QVERIFY(combo->hasFocus());
        combo->lineEdit()->insert(QStringLiteral("นาย"));  // QTest types Latin-1 only
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), second);
        QCOMPARE(combo->currentText(), QStringLiteral("นาย"));
        QCOMPARE(combo->count(), 0);
        // The field not named keeps its focus on Enter.
        QTest::keyClick(second, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), second);
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"

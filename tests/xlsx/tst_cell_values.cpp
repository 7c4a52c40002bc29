#include "xlsx/SheetDescription.h"

#include <QTest>

#include <cmath>

// Texts become cell values the way a spreadsheet takes them when typed.
class TestCellValues : public QObject {
    Q_OBJECT

private slots:
    void classify_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("text");
        const int blank = int(CellValue::Type::Blank);
        const int number = int(CellValue::Type::Number);
        const int text = int(CellValue::Type::Text);

        QTest::newRow("empty") << "" << blank << 0.0 << "";
        QTest::newRow("lone apostrophe") << "'" << blank << 0.0 << "";

        QTest::newRow("amount") << "1,234.50" << number << 1234.5 << "";
        QTest::newRow("millions") << "12,345,678.05" << number << 12345678.05 << "";
        QTest::newRow("plain decimals") << "1500.00" << number << 1500.0 << "";
        QTest::newRow("whole") << "7" << number << 7.0 << "";
        QTest::newRow("negative") << "-100" << number << -100.0 << "";
        QTest::newRow("negative grouped") << "-1,500.00" << number << -1500.0 << "";
        QTest::newRow("plus") << "+3.10" << number << 3.1 << "";
        QTest::newRow("accounting negative") << "(1,234.50)" << number << -1234.5 << "";
        QTest::newRow("zero") << "0.00" << number << 0.0 << "";
        QTest::newRow("minus zero") << "-0.00" << number << 0.0 << "";
        QTest::newRow("leading point") << ".5" << number << 0.5 << "";
        QTest::newRow("trailing point") << "5." << number << 5.0 << "";
        QTest::newRow("leading zeros") << "00123" << number << 123.0 << "";
        QTest::newRow("blanks around") << " 12 " << number << 12.0 << "";

        QTest::newRow("apostrophe keeps zeros") << "'00123" << text << 0.0 << "00123";
        QTest::newRow("apostrophe date") << "'15/06/2549" << text << 0.0 << "15/06/2549";
        QTest::newRow("apostrophe kept after the first") << "''x" << text << 0.0 << "'x";
        QTest::newRow("invoice number") << "2570/00001" << text << 0.0 << "2570/00001";
        QTest::newRow("date") << "01/12/2569" << text << 0.0 << "01/12/2569";
        QTest::newRow("untouched date field") << "  /  /    " << text << 0.0 << "  /  /    ";
        QTest::newRow("trailing blank kept") << "รวมทั้งสิ้น " << text << 0.0 << "รวมทั้งสิ้น ";
        QTest::newRow("only blanks") << "   " << text << 0.0 << "   ";
        QTest::newRow("short group") << "1,23" << text << 0.0 << "1,23";
        QTest::newRow("long first group") << "1234,567" << text << 0.0 << "1234,567";
        QTest::newRow("uneven groups") << "12,34,567" << text << 0.0 << "12,34,567";
        QTest::newRow("separator after point") << "1.234,5" << text << 0.0 << "1.234,5";
        QTest::newRow("leading separator") << ",100" << text << 0.0 << ",100";
        QTest::newRow("two points") << "1.2.3" << text << 0.0 << "1.2.3";
        QTest::newRow("sign only") << "-" << text << 0.0 << "-";
        QTest::newRow("point only") << "." << text << 0.0 << ".";
        QTest::newRow("sign inside parentheses") << "(-5)" << text << 0.0 << "(-5)";
        QTest::newRow("open parenthesis") << "(5" << text << 0.0 << "(5";
        QTest::newRow("two signs") << "+-1" << text << 0.0 << "+-1";
        QTest::newRow("exponent") << "1E3" << text << 0.0 << "1E3";
        QTest::newRow("percent") << "5%" << text << 0.0 << "5%";
        QTest::newRow("time") << "10:30" << text << 0.0 << "10:30";
        QTest::newRow("cost code heading") << "001  ค่าเช่าพื้นที่" << text << 0.0 << "001  ค่าเช่าพื้นที่";
        QTest::newRow("thai digits") << "๑๒๓" << text << 0.0 << "๑๒๓";
    }

    void classify()
    {
        QFETCH(QString, typed);
        QFETCH(int, type);
        QFETCH(double, number);
        QFETCH(QString, text);
        const CellValue v = ClassifyTypedText(typed);
        QCOMPARE(int(v.type), type);
        if (v.type == CellValue::Type::Number) {
            QCOMPARE(v.number, number);
            QVERIFY(!std::signbit(v.number) || v.number != 0); // no negative zero
        }
        QCOMPARE(v.text, text);
    }
};

QTEST_GUILESS_MAIN(TestCellValues)
#include "tst_cell_values.moc"

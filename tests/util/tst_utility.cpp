#include "util/Utility.h"

#include <QStringList>
#include <QTest>

#include <limits>

class TestUtility : public QObject {
    Q_OBJECT

private:
    // Satang words for 0..99 built independently of the routine under test.
    static QString satangWords(int s)
    {
        static const QStringList digits = {QString(), "หนึ่ง", "สอง", "สาม", "สี่", "ห้า", "หก", "เจ็ด", "แปด", "เก้า"};
        if (s == 0)
            return QStringLiteral("ถ้วน");
        const int tens = s / 10, units = s % 10;
        QString text = tens == 0 ? QString() : tens == 1 ? QStringLiteral("สิบ")
                     : tens == 2                         ? QStringLiteral("ยี่สิบ")
                                                         : digits[tens] + "สิบ";
        text += (units == 1 && tens > 0) ? QStringLiteral("เอ็ด") : digits[units];
        return text + "สตางค์";
    }

private slots:
    void bahtTextWorkedResults_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("words");
        QTest::newRow("0") << "0" << "บาทถ้วน";
        QTest::newRow("0.25") << "0.25" << "บาทยี่สิบห้าสตางค์";
        QTest::newRow("0.01") << "0.01" << "บาทหนึ่งสตางค์";
        QTest::newRow("1") << "1" << "หนึ่งบาทถ้วน";
        QTest::newRow("11") << "11" << "สิบเอ็ดบาทถ้วน";
        QTest::newRow("20") << "20" << "ยี่สิบบาทถ้วน";
        QTest::newRow("21.50") << "21.50" << "ยี่สิบเอ็ดบาทห้าสิบสตางค์";
        QTest::newRow("101") << "101" << "หนึ่งร้อยหนึ่งบาทถ้วน";
        QTest::newRow("5.21") << "5.21" << "ห้าบาทยี่สิบเอ็ดสตางค์";
        QTest::newRow("2,528.50") << "2528.50" << "สองพันห้าร้อยยี่สิบแปดบาทห้าสิบสตางค์";
        QTest::newRow("1,000,000") << "1000000" << "หนึ่งล้านบาทถ้วน";
        QTest::newRow("1,000,001") << "1000001" << "หนึ่งล้านหนึ่งบาทถ้วน";
        QTest::newRow("10,000,000") << "10000000" << "สิบล้านบาทถ้วน";
        QTest::newRow("11,000,000") << "11000000" << "สิบเอ็ดล้านบาทถ้วน";
        QTest::newRow("12,345,678.91")
            << "12345678.91" << "สิบสองล้านสามแสนสี่หมื่นห้าพันหกร้อยเจ็ดสิบแปดบาทเก้าสิบเอ็ดสตางค์";
        // Further shapes of the group and millions rules.
        QTest::newRow("111") << "111" << "หนึ่งร้อยสิบเอ็ดบาทถ้วน";
        QTest::newRow("1,001") << "1001" << "หนึ่งพันหนึ่งบาทถ้วน";
        QTest::newRow("0.11") << "0.11" << "บาทสิบเอ็ดสตางค์";
        QTest::newRow("0.10") << "0.10" << "บาทสิบสตางค์";
        QTest::newRow("9,999,999") << "9999999" << "เก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาทถ้วน";
        QTest::newRow("21,000,021") << "21000021" << "ยี่สิบเอ็ดล้านยี่สิบเอ็ดบาทถ้วน";
        QTest::newRow("10,000,001") << "10000001" << "สิบล้านหนึ่งบาทถ้วน";
        QTest::newRow("1,000,000,000,000") << "1000000000000" << "หนึ่งล้านล้านบาทถ้วน";
        QTest::newRow("9,999,999,999,999.99")
            << "9999999999999.99"
            << "เก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าล้าน"
               "เก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาทเก้าสิบเก้าสตางค์";
    }

    void bahtTextWorkedResults()
    {
        QFETCH(QString, amount);
        QFETCH(QString, words);
        QCOMPARE(BahtText(Money::parse(amount).value()), words);
    }

    // Every satang after wholes of every size, up to the largest amount the
    // columns hold.
    void bahtTextSatangOfEveryTwoDecimalAmount()
    {
        const QList<qint64> wholes = {0, 1, 7, 99, 2528, 1000000, 12345678, 987654321098LL,
                                      4398046511103LL, 8796093022207LL, 9999999999998LL, 9999999999999LL};
        for (qint64 whole : wholes) {
            const QString wholeWords = BahtText(Money::fromSatang(whole * 100));
            const QString prefix = wholeWords.chopped(QStringLiteral("ถ้วน").size());
            for (int s = 0; s < 100; ++s) {
                const QString literal = QString::number(whole) + '.' + QString::number(s).rightJustified(2, '0');
                QVERIFY2(BahtText(Money::fromSatang(whole * 100 + s)) == prefix + satangWords(s), qPrintable(literal));
            }
        }
    }

    void bahtTextNegativeAmounts()
    {
        QCOMPARE(BahtText(Money::fromSatang(-150000)), QStringLiteral("ลบหนึ่งพันห้าร้อยบาทถ้วน"));
        QCOMPARE(BahtText(Money::fromSatang(-25)), QStringLiteral("ลบบาทยี่สิบห้าสตางค์"));
        // Nothing left after rounding is not "minus zero".
        QCOMPARE(BahtText(Money::parse("-0.004").value()), QStringLiteral("บาทถ้วน"));
    }

    void bahtTextBeyondTenMillionMillion()
    {
        QCOMPARE(BahtText(Money::fromSatang(1000000000000000LL)), QStringLiteral("สิบล้านล้านบาทถ้วน"));
        QCOMPARE(BahtText(Money::fromSatang(2100000000000000LL)), QStringLiteral("ยี่สิบเอ็ดล้านล้านบาทถ้วน"));
        QCOMPARE(BahtText(Money::fromSatang(1200000100000500LL)), QStringLiteral("สิบสองล้านหนึ่งล้านห้าบาทถ้วน"));
        // Millions of millions of millions, at the smallest amount there is.
        QCOMPARE(BahtText(Money::fromSatang(std::numeric_limits<qint64>::min())),
                 QStringLiteral("ลบเก้าหมื่นสองพันสองร้อยสามสิบสามล้านเจ็ดแสนสองหมื่นสามร้อยหกสิบแปดล้าน"
                                "ห้าแสนสี่หมื่นเจ็ดพันเจ็ดร้อยห้าสิบแปดบาทแปดสตางค์"));
    }

    void bahtTextOfAnAmountTypedWithMoreDecimals()
    {
        // 0.995 and above carries into the baht.
        QCOMPARE(BahtText(Money::parse("0.999").value()), QStringLiteral("หนึ่งบาทถ้วน"));
        QCOMPARE(BahtText(Money::parse("9999999.996").value()), QStringLiteral("สิบล้านบาทถ้วน"));
        QCOMPARE(BahtText(Money::parse("0.004").value()), QStringLiteral("บาทถ้วน"));
    }

    void stripCommas()
    {
        QCOMPARE(StripCommas("1,234,567.50"), QStringLiteral("1234567.50"));
        QCOMPARE(StripCommas(""), QStringLiteral("0"));
        QCOMPARE(StripCommas(",,"), QStringLiteral("0"));
        QCOMPARE(StripCommas("-1,500.00"), QStringLiteral("-1500.00"));
    }

    void trimSpaces()
    {
        QCOMPARE(TrimSpaces("  012 "), QStringLiteral("012"));
        QCOMPARE(TrimSpaces("   "), QString());
        QCOMPARE(TrimSpaces(" a b "), QStringLiteral("a b"));
        QCOMPARE(TrimLeftSpaces("  x  "), QStringLiteral("x  "));
        QCOMPARE(TrimRightSpaces("  x  "), QStringLiteral("  x"));
        QCOMPARE(TrimLeftSpaces("    "), QString());
        // Only code 32 is a space here.
        QCOMPARE(TrimSpaces("\t x \t"), QStringLiteral("\t x \t"));
        QCOMPARE(TrimSpaces(" ชื่อ "), QStringLiteral("ชื่อ"));
    }

    void rightChars()
    {
        QCOMPARE(RightChars("000007", 5), QStringLiteral("00007"));
        QCOMPARE(RightChars("0000123456", 5), QStringLiteral("23456"));
        QCOMPARE(RightChars("12", 4), QStringLiteral("12"));
        QCOMPARE(RightChars("1234", 4), QStringLiteral("1234"));
        QCOMPARE(RightChars("abc", 0), QString());
        QCOMPARE(RightChars("abc", -1), QString());
    }
};

QTEST_APPLESS_MAIN(TestUtility)
#include "tst_utility.moc"

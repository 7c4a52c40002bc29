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
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("words");
        QTest::newRow("0") << 0.0 << "บาทถ้วน";
        QTest::newRow("0.25") << 0.25 << "บาทยี่สิบห้าสตางค์";
        QTest::newRow("0.01") << 0.01 << "บาทหนึ่งสตางค์";
        QTest::newRow("1") << 1.0 << "หนึ่งบาทถ้วน";
        QTest::newRow("11") << 11.0 << "สิบเอ็ดบาทถ้วน";
        QTest::newRow("20") << 20.0 << "ยี่สิบบาทถ้วน";
        QTest::newRow("21.50") << 21.50 << "ยี่สิบเอ็ดบาทห้าสิบสตางค์";
        QTest::newRow("101") << 101.0 << "หนึ่งร้อยหนึ่งบาทถ้วน";
        QTest::newRow("5.21") << 5.21 << "ห้าบาทยี่สิบเอ็ดสตางค์";
        QTest::newRow("2,528.50") << 2528.50 << "สองพันห้าร้อยยี่สิบแปดบาทห้าสิบสตางค์";
        QTest::newRow("1,000,000") << 1000000.0 << "หนึ่งล้านบาทถ้วน";
        QTest::newRow("1,000,001") << 1000001.0 << "หนึ่งล้านหนึ่งบาทถ้วน";
        QTest::newRow("10,000,000") << 10000000.0 << "สิบล้านบาทถ้วน";
        QTest::newRow("11,000,000") << 11000000.0 << "สิบเอ็ดล้านบาทถ้วน";
        QTest::newRow("12,345,678.91")
            << 12345678.91 << "สิบสองล้านสามแสนสี่หมื่นห้าพันหกร้อยเจ็ดสิบแปดบาทเก้าสิบเอ็ดสตางค์";
        // Further shapes of the group and millions rules.
        QTest::newRow("111") << 111.0 << "หนึ่งร้อยสิบเอ็ดบาทถ้วน";
        QTest::newRow("1,001") << 1001.0 << "หนึ่งพันหนึ่งบาทถ้วน";
        QTest::newRow("0.11") << 0.11 << "บาทสิบเอ็ดสตางค์";
        QTest::newRow("0.10 inexact") << 0.1 << "บาทสิบสตางค์";
        QTest::newRow("9,999,999") << 9999999.0 << "เก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาทถ้วน";
        QTest::newRow("21,000,021") << 21000021.0 << "ยี่สิบเอ็ดล้านยี่สิบเอ็ดบาทถ้วน";
        QTest::newRow("10,000,001") << 10000001.0 << "สิบล้านหนึ่งบาทถ้วน";
        QTest::newRow("1,000,000,000,000") << 1e12 << "หนึ่งล้านล้านบาทถ้วน";
        QTest::newRow("9,999,999,999,999.99")
            << 9999999999999.99
            << "เก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าล้าน"
               "เก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาทเก้าสิบเก้าสตางค์";
    }

    void bahtTextWorkedResults()
    {
        QFETCH(double, amount);
        QFETCH(QString, words);
        QCOMPARE(BahtText(amount), words);
    }

    // The nearest double to a two-decimal amount must give back its satang,
    // also where a double has only a few bits left for the fraction.
    void bahtTextSatangOfEveryTwoDecimalAmount()
    {
        const QList<qint64> wholes = {0, 1, 7, 99, 2528, 1000000, 12345678, 987654321098LL,
                                      4398046511103LL, 8796093022207LL, 9999999999998LL, 9999999999999LL};
        for (qint64 whole : wholes) {
            const QString wholeWords = BahtText(static_cast<double>(whole));
            const QString prefix = wholeWords.chopped(QStringLiteral("ถ้วน").size());
            for (int s = 0; s < 100; ++s) {
                const QString literal = QString::number(whole) + '.' + QString::number(s).rightJustified(2, '0');
                const double amount = literal.toDouble();
                QVERIFY2(BahtText(amount) == prefix + satangWords(s), qPrintable(literal));
            }
        }
    }

    void bahtTextNegativeAmounts()
    {
        QCOMPARE(BahtText(-1500.0), QStringLiteral("ลบหนึ่งพันห้าร้อยบาทถ้วน"));
        QCOMPARE(BahtText(-0.25), QStringLiteral("ลบบาทยี่สิบห้าสตางค์"));
        // Nothing left after rounding is not "minus zero".
        QCOMPARE(BahtText(-0.0), QStringLiteral("บาทถ้วน"));
        QCOMPARE(BahtText(-0.004), QStringLiteral("บาทถ้วน"));
    }

    void bahtTextBeyondTenMillionMillion()
    {
        QCOMPARE(BahtText(1e13), QStringLiteral("สิบล้านล้านบาทถ้วน"));
        QCOMPARE(BahtText(21e12), QStringLiteral("ยี่สิบเอ็ดล้านล้านบาทถ้วน"));
        QCOMPARE(BahtText(1e18), QStringLiteral("หนึ่งล้านล้านล้านบาทถ้วน"));
        QCOMPARE(BahtText(12000001000005.0), QStringLiteral("สิบสองล้านหนึ่งล้านห้าบาทถ้วน"));
        // Past 2^64 (10^22 is exact as a double).
        QCOMPARE(BahtText(1e22), QStringLiteral("หนึ่งหมื่นล้านล้านล้านบาทถ้วน"));
        QVERIFY(BahtText(std::numeric_limits<double>::max()).endsWith(QStringLiteral("บาทถ้วน")));
    }

    void bahtTextRoundingOfExtraDecimals()
    {
        // 0.995 and above carries into the baht.
        QCOMPARE(BahtText(0.999), QStringLiteral("หนึ่งบาทถ้วน"));
        QCOMPARE(BahtText(9999999.996), QStringLiteral("สิบล้านบาทถ้วน"));
        QCOMPARE(BahtText(0.004), QStringLiteral("บาทถ้วน"));
        // Exact halves (representable in binary) go to the even satang.
        QCOMPARE(BahtText(0.125), QStringLiteral("บาทสิบสองสตางค์"));
        QCOMPARE(BahtText(0.375), QStringLiteral("บาทสามสิบแปดสตางค์"));
        QCOMPARE(BahtText(2.625), QStringLiteral("สองบาทหกสิบสองสตางค์"));
    }

    void bahtTextNotANumberGivesNothing()
    {
        QVERIFY(BahtText(std::numeric_limits<double>::quiet_NaN()).isEmpty());
        QVERIFY(BahtText(std::numeric_limits<double>::infinity()).isEmpty());
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

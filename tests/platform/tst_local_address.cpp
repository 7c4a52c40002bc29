// The status bar's address: never a loopback address when the machine has
// another one.
#include "platform/LocalAddress.h"

#include <QTest>

class TestLocalAddress : public QObject {
    Q_OBJECT
private slots:
    void loopbackOnlyHostEntryFallsBackToInterfaces()
    {
        // "localhost" is a host entry that resolves to loopback only, as a
        // stock workstation's own name does.
        const QStringList resolved = ResolveIPv4(QStringLiteral("localhost"));
        QVERIFY(!resolved.isEmpty());
        for (const QString& a : resolved)
            QVERIFY2(a.startsWith(QLatin1String("127.")), qPrintable(a));

        QCOMPARE(FirstNonLoopbackIPv4(resolved, {}), QString());
        QCOMPARE(FirstNonLoopbackIPv4(resolved, {QStringLiteral("127.0.0.1"), QStringLiteral("192.0.2.7")}),
                 QStringLiteral("192.0.2.7"));
        // The host name's own address comes before the interfaces'.
        QCOMPARE(FirstNonLoopbackIPv4({QStringLiteral("127.0.1.1"), QStringLiteral("198.51.100.4")},
                                      {QStringLiteral("192.0.2.7")}),
                 QStringLiteral("198.51.100.4"));
        QCOMPARE(ResolveIPv4(QStringLiteral("no-such-host.invalid")), QStringList());
    }

    void thisMachineGivesItsNonLoopbackAddress()
    {
        QString expected;
        for (const QString& a : InterfaceIPv4Addresses())
            if (!a.startsWith(QLatin1String("127.")) && expected.isEmpty())
                expected = a;
        const QString address = LocalIPAddress();
        QVERIFY(!address.startsWith(QLatin1String("127.")));
        if (expected.isEmpty()) {
            QCOMPARE(address, QString());
            return;
        }
        // Where the machine has an address, the status bar shows one.
        QVERIFY(!address.isEmpty());
        const QStringList parts = address.split('.');
        QCOMPARE(parts.size(), 4);
        for (const QString& part : parts) {
            bool ok = false;
            const int value = part.toInt(&ok);
            QVERIFY2(ok && value >= 0 && value <= 255, qPrintable(address));
        }
    }
};

QTEST_APPLESS_MAIN(TestLocalAddress)
#include "tst_local_address.moc"

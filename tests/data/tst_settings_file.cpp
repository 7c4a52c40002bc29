// The settings file: the database line the program writes, read back by the
// same reader as every other setting, and the names it does not know.
#include "data/ConnectionSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    // The database line written by the program is read back whole by the
    // same reader, and every other line stays as the user wrote it.
    void databaseLineIsWrittenAmongTheUsersLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("costdesk/costdesk.ini"));
        QString error;
        const QString odd = QStringLiteral("sqlite:/home/สมศรี/a;b,c \"q\" \\x %20.sqlite");
        QVERIFY(SettingsFile::writeDatabase(path, odd, &error));  // folder and file made
        QCOMPARE(SettingsFile::read(path).database, odd);
        QCOMPARE(ConnectionSettings::fromUrl(SettingsFile::read(path).database).path,
                 QStringLiteral("/home/สมศรี/a;b,c \"q\" \\x %20.sqlite"));

        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray before = QStringLiteral("; เครื่องการเงิน\n[General]\ndatabase=sqlite:/old.sqlite\n"
                                                 "[document]\naddress1=ถนนออร์เวน ; หมายเหตุ\ndatabase=x\n"
                                                 "[general]\ndatabase=sqlite:/older.sqlite\n")
                                      .toUtf8();
        file.write(before);
        file.close();
        QVERIFY(SettingsFile::writeDatabase(path, QStringLiteral("postgresql://costdesk@dbserver:5432/costdesk"), &error));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("; เครื่องการเงิน\n[General]\ndatabase=postgresql://costdesk@dbserver:5432/costdesk\n"
                                "[document]\naddress1=ถนนออร์เวน ; หมายเหตุ\ndatabase=x\n[general]\n"));
        const SettingsFile read = SettingsFile::read(path, {QStringLiteral("document/address1")});
        QCOMPARE(read.database, QStringLiteral("postgresql://costdesk@dbserver:5432/costdesk"));
        QCOMPARE(read.unknownKeys, QStringList{QStringLiteral("document/database")});

        // Shown or written, a URL never carries its password.
        QCOMPARE(ConnectionSettings::withoutPassword(QStringLiteral("postgresql://u:p@ss/w@h:5432/db")),
                 QStringLiteral("postgresql://u:****@h:5432/db"));
        QCOMPARE(ConnectionSettings::withoutPassword(QStringLiteral("postgresql:/u:pw@h/db?Password=x&sslmode=off")),
                 QStringLiteral("postgresql:/u:****@h/db?Password=****&sslmode=off"));
        QCOMPARE(ConnectionSettings::withoutPassword(QStringLiteral("postgresql://u@h/db?application_name=a:b@c")),
                 QStringLiteral("postgresql://u@h/db?application_name=a:b@c"));
        for (const QString& kept : {QStringLiteral("postgresql://u@h:5432/db"), QStringLiteral("postgresql://h:5432/db"),
                                    QStringLiteral("sqlite:/a:b@c.sqlite")})
            QCOMPARE(ConnectionSettings::withoutPassword(kept), kept);
    }

};

QTEST_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"

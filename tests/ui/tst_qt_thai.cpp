// Qt's own dialogs in Thai: the file dialog that saves a print preview as PDF,
// the preview's own toolbar and the standard buttons of a message box.
#include "ui/PagePreviewDialog.h"
#include "ui/Prompter.h"
#include "ui/QtTranslation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QToolBar>
#include <QTreeView>

namespace {

// Any English word left on the screen; "PDF" is ours and stays.
bool hasEnglish(QString text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    text.remove(QStringLiteral("PDF"));
    return text.contains(word);
}

// What the save-as-PDF dialog showed while it was open.
struct FileDialogSeen {
    bool opened = false;
    QString title;
    QString lookIn, fileName, fileType;
    QStringList buttons;
    QStringList headers;
    QStringList everything;  // every visible label, button text and tooltip
};

} // namespace

class TestQtThai : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(QtTranslation::installThai());
        QVERIFY(QtTranslation::installThai());  // a second call keeps one translator
        QCOMPARE(qApp->findChildren<QTranslator*>().size(), 1);
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
    }

    void savePdfDialogReadsThai()
    {
        // The program's own prompter asks for the file.
        MessageBoxPrompter prompter;
        PagePreviewDialog preview({}, QStringLiteral("ใบแจ้งหนี้ 2570/00012"), prompter);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));

        // The preview's toolbar: navigation, zoom, orientation, print.
        auto* toolBar = preview.findChild<QToolBar*>();
        QVERIFY(toolBar);
        QStringList actions;
        for (QAction* action : toolBar->actions())
            if (!action->isSeparator() && !action->text().isEmpty())
                actions << action->text();
        QVERIFY(actions.contains(QStringLiteral("พิมพ์")));
        QVERIFY(actions.contains(QStringLiteral("หน้าถัดไป")));
        for (const QString& text : actions)
            QVERIFY2(!hasEnglish(text), qPrintable(text));

        // The file dialog the save action opens, looked at while it is open
        // and then cancelled, as the user would.
        FileDialogSeen seen;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            poll.stop();
            seen.opened = true;
            seen.title = dialog->windowTitle();
            auto label = [dialog](const char* name) {
                auto* l = dialog->findChild<QLabel*>(QString::fromLatin1(name));
                return l ? l->text() : QString();
            };
            seen.lookIn = label("lookInLabel");
            seen.fileName = label("fileNameLabel");
            seen.fileType = label("fileTypeLabel");
            if (auto* box = dialog->findChild<QDialogButtonBox*>())
                for (QAbstractButton* b : box->buttons())
                    seen.buttons << b->text();
            dialog->setViewMode(QFileDialog::Detail);
            if (auto* tree = dialog->findChild<QTreeView*>(QStringLiteral("treeView")))
                for (int i = 0; i < tree->header()->count(); ++i)
                    seen.headers << tree->model()->headerData(i, Qt::Horizontal).toString();
            for (QLabel* l : dialog->findChildren<QLabel*>())
                if (l->isVisibleTo(dialog))
                    seen.everything << l->text();
            for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
                if (b->isVisibleTo(dialog))
                    seen.everything << b->text() << b->toolTip();
            seen.everything << seen.headers;
            dialog->reject();
        });
        poll.start(20);
        preview.savePdfAction()->trigger();  // returns once the dialog is cancelled

        QVERIFY(seen.opened);
        QCOMPARE(seen.title, QStringLiteral("บันทึกเป็น PDF"));
        QCOMPARE(seen.lookIn, QStringLiteral("ค้นหาใน:"));
        QCOMPARE(seen.fileName, QStringLiteral("ชื่อไฟล์:"));
        QCOMPARE(seen.fileType, QStringLiteral("ชนิดไฟล์:"));
        QVERIFY2(seen.buttons.contains(QStringLiteral("บันทึก")), qPrintable(seen.buttons.join(u'|')));
        QVERIFY2(seen.buttons.contains(QStringLiteral("ยกเลิก")), qPrintable(seen.buttons.join(u'|')));
        QCOMPARE(seen.headers, (QStringList{QStringLiteral("ชื่อ"), QStringLiteral("ขนาด"), QStringLiteral("ชนิด"),
                                            QStringLiteral("วันที่แก้ไข")}));
        QVERIFY(seen.everything.size() > 10);
        for (const QString& text : std::as_const(seen.everything))
            QVERIFY2(!hasEnglish(text), qPrintable(text));
    }

    void messageBoxButtonsReadThai()
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("ยืนยัน"), QStringLiteral("ยกเลิกใบแจ้งหนี้นี้?"),
                        QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No
                            | QMessageBox::Save | QMessageBox::Close);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("ตกลง"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("ยกเลิก"));
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("ใช่"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("ไม่ใช่"));
        QCOMPARE(box.button(QMessageBox::Save)->text(), QStringLiteral("บันทึก"));
        QCOMPARE(box.button(QMessageBox::Close)->text(), QStringLiteral("ปิด"));
    }
};

QTEST_MAIN(TestQtThai)
#include "tst_qt_thai.moc"

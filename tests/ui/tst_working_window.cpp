// The working window base: handlers on any signal end a failure in the error
// box, refused input and a remade connection in a plain message.
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"
#include "ui/WorkingWindow.h"

#include <QComboBox>
#include <QTest>

class SignalWindow : public WorkingWindow {
public:
    explicit SignalWindow(WorkContext& context) : WorkingWindow(context, QStringLiteral("frmTest"))
    {
        combo = newCombo(this, QStringLiteral("cmbCost_Code"), 0);
        onSignal(combo, &QComboBox::currentTextChanged, &SignalWindow::cmbCost_CodeChange);
    }
    void cmbCost_CodeChange()
    {
        const QString text = combo->currentText();
        if (text == QLatin1String("fail"))
            throw DbError(QStringLiteral("relation \"tr_cost_type\" does not exist"));
        if (text == QLatin1String("typed"))
            context().db.select(QStringLiteral("SELECT ?"), {QStringLiteral("a\x01")});
        if (text == QLatin1String("silent"))
            throw std::runtime_error("");
        seen << text;
    }
    QComboBox* combo;
    QStringList seen;
};

class TestWorkingWindow : public QObject {
    Q_OBJECT
private slots:
    void anySignalIsGuarded()
    {
        TestDatabase t;
        WindowDriver<SignalWindow> w(t.db());
        w.window.combo->setEditText(QStringLiteral("001"));
        w.window.combo->setEditText(QStringLiteral("fail"));
        w.window.combo->setEditText(QStringLiteral("typed"));
        w.window.combo->setEditText(QStringLiteral("silent"));
        w.window.combo->setEditText(QStringLiteral("002"));
        QCOMPARE(w.window.seen, QStringList({QStringLiteral("001"), QStringLiteral("002")}));
        QCOMPARE(w.prompter.errors(), QStringList({QStringLiteral("relation \"tr_cost_type\" does not exist"),
                                                   QStringLiteral("เกิดข้อผิดพลาดที่ไม่ทราบสาเหตุ")}));
        QCOMPARE(w.prompter.messages(), QStringList({QStringLiteral("ข้อความมีอักขระที่ไม่อนุญาต")}));
    }
};

QTEST_MAIN(TestWorkingWindow)
#include "tst_working_window.moc"

#include "reports/UPrint_User.h"

#include "core/StartupValues.h"
#include "data/UserTable.h"
#include "print/AccountLetter.h"
#include "print/PageViewer.h"
#include "ui/Appearance.h"
#include "ui/StringGrid.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QList<StringGrid::Column> kColumns = {
    {QStringLiteral("No"), 40},       {QStringLiteral("ลำดับ"), 40},          {QStringLiteral("ชื่อ - นามสกุล"), 150},
    {QStringLiteral("ตำแหน่ง"), 100}, {QStringLiteral("เบอร์โทรศัพท์"), 100}, {QStringLiteral("ฝ่าย"), 200}};

// A range bound as typed: a whole number, blanks around it allowed.
std::optional<int> wholeNumber(const QString& typed)
{
    bool ok = false;
    const int value = typed.trimmed().toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

} // namespace

TfrmPrint_User::TfrmPrint_User(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, QStringLiteral("frmPrint_User"), parent)
{
    buildPanel();
    stackPanels({Panel1});
    onClick(btnShow_data, &TfrmPrint_User::btnShow_dataClick);
    onClick(btnPrint_Preview, &TfrmPrint_User::btnPrint_PreviewClick);
    onClick(btnExit, &TfrmPrint_User::btnExitClick);
    FormCreate();
}

void TfrmPrint_User::buildPanel()
{
    Panel1 = newPanel(QStringLiteral("Panel1"));
    edtU_ID1 = newEdit(Panel1, QStringLiteral("edtU_ID1"), 0);
    edtU_ID2 = newEdit(Panel1, QStringLiteral("edtU_ID2"), 0);
    btnShow_data = newButton(Panel1, QStringLiteral("btnShow_data"), QStringLiteral("แสดงข้อมูล"));
    btnPrint_Preview = newButton(Panel1, QStringLiteral("btnPrint_Preview"), QStringLiteral("พิมพ์"));
    btnExit = newButton(Panel1, QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"));
    StringGrid1 = new StringGrid(Panel1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    auto* label1 = newLabel(Panel1, QStringLiteral("ใส่ลำดับที่"));
    label1->setObjectName(QStringLiteral("Label1"));
    auto* label2 = newLabel(Panel1, QStringLiteral("ถึง"));
    label2->setObjectName(QStringLiteral("Label2"));
    for (QLineEdit* bound : {edtU_ID1, edtU_ID2})
        bound->setMaximumWidth(Appearance::scaled(60));

    auto* controls = new QHBoxLayout;
    controls->addWidget(btnShow_data);
    controls->addSpacing(Appearance::scaled(24));
    controls->addWidget(label1);
    controls->addWidget(edtU_ID1);
    controls->addWidget(label2);
    controls->addWidget(edtU_ID2);
    controls->addWidget(btnPrint_Preview);
    controls->addStretch();
    controls->addWidget(btnExit);
    auto* layout = new QVBoxLayout(Panel1);
    layout->addLayout(controls);
    layout->addWidget(StringGrid1, 1);
}

void TfrmPrint_User::FormCreate()
{
    edtU_ID1->setText(QStringLiteral("1"));
    edtU_ID2->setText(QStringLiteral("5"));
}

void TfrmPrint_User::btnShow_dataClick()
{
    const QList<UserAccount> accounts = UserTable::listed(context().db);
    StringGrid1->resetGrid(kColumns);
    QVector<QStringList> rows;
    for (const UserAccount& a : accounts)
        rows.append({QString::number(rows.size() + 1), QString::number(a.id),
                     a.firstName + QLatin1Char(' ') + a.lastName, a.position, a.telephone, a.caption});
    StringGrid1->setDataRows(rows);
}

void TfrmPrint_User::btnPrint_PreviewClick()
{
    const std::optional<int> from = wholeNumber(edtU_ID1->text());
    const std::optional<int> to = wholeNumber(edtU_ID2->text());
    if (!from || !to) {
        message(QStringLiteral("ลำดับที่ต้องเป็นตัวเลขจำนวนเต็ม"));
        return;
    }
    QList<LetterAccount> letters;
    for (const UserAccount& a : UserTable::inIdRange(context().db, *from, *to))
        letters.append({a.id, a.userName, a.password, a.firstName, a.lastName, a.faculty, a.sectionName});
    context().pages.showPages(this, BuildAccountLetters(letters, context().startup.currentDate),
                              QStringLiteral("Account ผู้ใช้ระบบ"));
}

void TfrmPrint_User::btnExitClick()
{
    returnToMainMenu();
}

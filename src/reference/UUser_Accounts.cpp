#include "reference/UUser_Accounts.h"

#include "core/Rights.h"
#include "core/StartupValues.h"
#include "print/AccountLetter.h"
#include "print/PageViewer.h"
#include "ui/Appearance.h"
#include "ui/EnterMovesFocus.h"
#include "ui/StringGrid.h"
#include "ui/WindowMessages.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The widest values the account letter has room for.
constexpr int kUserNameLength = 20;
constexpr int kPasswordLength = 20;
constexpr int kNameLength = 30;
constexpr int kTitleLength = 15;

enum Column { NoColumn, IdColumn, UserNameColumn, NameColumn, LevelColumn, StateColumn };
const QList<StringGrid::Column> kColumns = {{QStringLiteral("No"), 40},           {QStringLiteral("ID"), 50},
                                            {QStringLiteral("ชื่อผู้ใช้"), 120},       {QStringLiteral("ชื่อ - นามสกุล"), 200},
                                            {QStringLiteral("ระดับสิทธิ์"), 70},      {QStringLiteral("สถานะ"), 80}};

const QString kNoSelection = QStringLiteral("กรุณาเลือกผู้ใช้ในตารางก่อน");
const QString kIdNotNumber = QStringLiteral("ID ต้องเป็นตัวเลขจำนวนเต็ม ตั้งแต่ 0 ขึ้นไป");
const QString kNoUserName = QStringLiteral("ต้องระบุชื่อผู้ใช้");
const QString kNoPassword = QStringLiteral("ต้องระบุรหัสผ่าน");
const QString kPasswordsDiffer = QStringLiteral("รหัสผ่านทั้งสองครั้งไม่ตรงกัน ไม่ได้บันทึก");

QString levelCaption(int level)
{
    switch (level) {
    case 3:
        return QStringLiteral("3 - ออกใบแจ้งหนี้และบันทึกการชำระเงิน");
    case 6:
        return QStringLiteral("6 - บันทึกเลขที่ใบนำส่ง");
    default:
        return QStringLiteral("9 - ผู้ดูแลระบบ");
    }
}

// Who the level and password panels are open for, as the list shows them.
QString accountLine(const UserAccount& a)
{
    return QStringLiteral("ผู้ใช้ %1 (ID %2) %3").arg(a.userName).arg(a.id).arg(a.displayName().trimmed());
}

} // namespace

TfrmUser_Accounts::TfrmUser_Accounts(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, QStringLiteral("frmUser_Accounts"), parent)
{
    buildListPanel();
    buildAddPanel();
    buildLevelPanel();
    buildPasswordPanel();
    stackPanels({Panel1, Panel2, Panel3, Panel4});
    onClick(btnAdd_User, &TfrmUser_Accounts::btnAdd_UserClick);
    onClick(btnSet_Level, &TfrmUser_Accounts::btnSet_LevelClick);
    onClick(btnReset_Password, &TfrmUser_Accounts::btnReset_PasswordClick);
    onClick(btnDisable_User, &TfrmUser_Accounts::btnDisable_UserClick);
    onClick(btnEnable_User, &TfrmUser_Accounts::btnEnable_UserClick);
    onClick(btnExit, &TfrmUser_Accounts::btnExitClick);
    onClick(btnSave, &TfrmUser_Accounts::btnSaveClick);
    onClick(btnSave_Level, &TfrmUser_Accounts::btnSave_LevelClick);
    onClick(btnSave_Password, &TfrmUser_Accounts::btnSave_PasswordClick);
    for (QPushButton* cancel : {btnCancel, btnCancel_Level, btnCancel_Password})
        onClick(cancel, &TfrmUser_Accounts::btnCancelClick);
    EnterMovesFocus::install(this, {edtU_ID, edtUsername, cmbSection, cmbU_Surname, edtU_F_Name, edtU_L_Name,
                                    edtPassword, edtPassword2, edtNew_Password, edtNew_Password2});
    guarded([this] { FormCreate(); });
}

QComboBox* TfrmUser_Accounts::newLevelCombo(QWidget* parent, const QString& name)
{
    // A list to choose from, not a field to type in: no other level exists.
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const int level : Rights::kEveryLevel)
        combo->addItem(levelCaption(level), level);
    return combo;
}

void TfrmUser_Accounts::buildListPanel()
{
    Panel1 = newPanel(QStringLiteral("Panel1"));
    StringGrid1 = new StringGrid(Panel1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    btnAdd_User = newButton(Panel1, QStringLiteral("btnAdd_User"), QStringLiteral("เพิ่มผู้ใช้"));
    btnSet_Level = newButton(Panel1, QStringLiteral("btnSet_Level"), QStringLiteral("เปลี่ยนระดับสิทธิ์"));
    btnReset_Password = newButton(Panel1, QStringLiteral("btnReset_Password"), QStringLiteral("ตั้งรหัสผ่านใหม่"));
    btnDisable_User = newButton(Panel1, QStringLiteral("btnDisable_User"), QStringLiteral("ระงับการใช้งาน"));
    btnEnable_User = newButton(Panel1, QStringLiteral("btnEnable_User"), QStringLiteral("เปิดใช้งาน"));
    btnExit = newButton(Panel1, QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btnAdd_User, btnSet_Level, btnReset_Password, btnDisable_User, btnEnable_User})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(btnExit);
    auto* layout = new QVBoxLayout(Panel1);
    layout->addWidget(newTitle(Panel1, QStringLiteral("จัดการผู้ใช้ระบบ")));
    layout->addLayout(buttons);
    layout->addWidget(StringGrid1, 1);
}

void TfrmUser_Accounts::buildAddPanel()
{
    Panel2 = newPanel(QStringLiteral("Panel2"));
    edtU_ID = newEdit(Panel2, QStringLiteral("edtU_ID"), 9);
    edtU_ID->setMaximumWidth(Appearance::scaled(80));
    edtUsername = newEdit(Panel2, QStringLiteral("edtUsername"), kUserNameLength);
    cmbSection = newLevelCombo(Panel2, QStringLiteral("cmbSection"));
    cmbU_Surname = newCombo(Panel2, QStringLiteral("cmbU_Surname"), kTitleLength);
    cmbU_Surname->addItems({QStringLiteral("นาย"), QStringLiteral("นาง"), QStringLiteral("นางสาว")});
    edtU_F_Name = newEdit(Panel2, QStringLiteral("edtU_F_Name"), kNameLength);
    edtU_L_Name = newEdit(Panel2, QStringLiteral("edtU_L_Name"), kNameLength);
    edtPassword = newEdit(Panel2, QStringLiteral("edtPassword"), kPasswordLength);
    edtPassword2 = newEdit(Panel2, QStringLiteral("edtPassword2"), kPasswordLength);
    for (QLineEdit* secret : {edtPassword, edtPassword2})
        secret->setEchoMode(QLineEdit::Password);
    btnSave = newButton(Panel2, QStringLiteral("btnSave"), QStringLiteral("บันทึกข้อมูล"));
    btnCancel = newButton(Panel2, QStringLiteral("btnCancel"), QStringLiteral("ยกเลิก"));

    auto* fields = new QGridLayout;
    const QList<std::pair<QString, QWidget*>> rows = {
        {QStringLiteral("ID"), edtU_ID},
        {QStringLiteral("ชื่อผู้ใช้ (User Name)"), edtUsername},
        {QStringLiteral("ระดับสิทธิ์"), cmbSection},
        {QStringLiteral("คำนำหน้าชื่อ"), cmbU_Surname},
        {QStringLiteral("ชื่อ"), edtU_F_Name},
        {QStringLiteral("นามสกุล"), edtU_L_Name},
        {QStringLiteral("รหัสผ่าน"), edtPassword},
        {QStringLiteral("พิมพ์รหัสผ่านอีกครั้ง"), edtPassword2}};
    for (int i = 0; i < rows.size(); ++i) {
        fields->addWidget(newLabel(Panel2, rows.at(i).first), i, 0);
        fields->addWidget(rows.at(i).second, i, 1, Qt::AlignLeft);
        if (rows.at(i).second != edtU_ID)
            rows.at(i).second->setMinimumWidth(Appearance::scaled(200));
    }
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(Panel2);
    layout->addWidget(newTitle(Panel2, QStringLiteral("เพิ่มผู้ใช้ระบบ")));
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addStretch();

    // Enter walks the fields in the order shown, then to the save button.
    const QList<QWidget*> order = {edtU_ID,     edtUsername, cmbSection,   cmbU_Surname, edtU_F_Name,
                                   edtU_L_Name, edtPassword, edtPassword2, btnSave,      btnCancel};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void TfrmUser_Accounts::buildLevelPanel()
{
    Panel3 = newPanel(QStringLiteral("Panel3"));
    lblLevel_Account = newLabel(Panel3, QString());
    lblLevel_Account->setObjectName(QStringLiteral("lblLevel_Account"));
    cmbNew_Section = newLevelCombo(Panel3, QStringLiteral("cmbNew_Section"));
    btnSave_Level = newButton(Panel3, QStringLiteral("btnSave_Level"), QStringLiteral("บันทึกข้อมูล"));
    btnCancel_Level = newButton(Panel3, QStringLiteral("btnCancel_Level"), QStringLiteral("ยกเลิก"));

    auto* choice = new QHBoxLayout;
    choice->addWidget(newLabel(Panel3, QStringLiteral("ระดับสิทธิ์ใหม่")));
    choice->addWidget(cmbNew_Section);
    choice->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSave_Level);
    buttons->addWidget(btnCancel_Level);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(Panel3);
    layout->addWidget(newTitle(Panel3, QStringLiteral("เปลี่ยนระดับสิทธิ์")));
    layout->addWidget(lblLevel_Account);
    layout->addLayout(choice);
    layout->addLayout(buttons);
    layout->addStretch();
}

void TfrmUser_Accounts::buildPasswordPanel()
{
    Panel4 = newPanel(QStringLiteral("Panel4"));
    lblPassword_Account = newLabel(Panel4, QString());
    lblPassword_Account->setObjectName(QStringLiteral("lblPassword_Account"));
    edtNew_Password = newEdit(Panel4, QStringLiteral("edtNew_Password"), kPasswordLength);
    edtNew_Password2 = newEdit(Panel4, QStringLiteral("edtNew_Password2"), kPasswordLength);
    for (QLineEdit* secret : {edtNew_Password, edtNew_Password2}) {
        secret->setEchoMode(QLineEdit::Password);
        secret->setMinimumWidth(Appearance::scaled(200));
    }
    btnSave_Password = newButton(Panel4, QStringLiteral("btnSave_Password"), QStringLiteral("บันทึกและพิมพ์"));
    btnCancel_Password = newButton(Panel4, QStringLiteral("btnCancel_Password"), QStringLiteral("ยกเลิก"));

    auto* fields = new QGridLayout;
    fields->addWidget(newLabel(Panel4, QStringLiteral("รหัสผ่านใหม่")), 0, 0);
    fields->addWidget(edtNew_Password, 0, 1, Qt::AlignLeft);
    fields->addWidget(newLabel(Panel4, QStringLiteral("พิมพ์รหัสผ่านอีกครั้ง")), 1, 0);
    fields->addWidget(edtNew_Password2, 1, 1, Qt::AlignLeft);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSave_Password);
    buttons->addWidget(btnCancel_Password);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(Panel4);
    layout->addWidget(newTitle(Panel4, QStringLiteral("ตั้งรหัสผ่านใหม่")));
    layout->addWidget(lblPassword_Account);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addStretch();
    setTabOrder(edtNew_Password, edtNew_Password2);
    setTabOrder(edtNew_Password2, btnSave_Password);
}

void TfrmUser_Accounts::FormCreate()
{
    Panel2->hide();
    Panel3->hide();
    Panel4->hide();
    showAccounts(QString());
}

void TfrmUser_Accounts::showAccounts(const QString& selectUserName)
{
    StringGrid1->resetGrid(kColumns);
    QVector<QStringList> rows;
    int selected = 1;
    for (const UserAccount& a : UserTable::all(context().db)) {
        // The password stays in the table; the list never holds it.
        rows.append({QString::number(rows.size() + 1), QString::number(a.id), a.userName,
                     a.displayName().trimmed(), QString::number(a.section),
                     a.enabled ? QStringLiteral("ใช้งานได้") : QStringLiteral("ระงับ")});
        if (a.userName == selectUserName)
            selected = int(rows.size());
    }
    StringGrid1->setDataRows(rows);
    StringGrid1->setCurrentRow(selected);
}

std::optional<UserAccount> TfrmUser_Accounts::selectedAccount()
{
    const QString userName = StringGrid1->currentCell(UserNameColumn);
    if (userName.isEmpty()) {
        message(kNoSelection);
        return std::nullopt;
    }
    std::optional<UserAccount> account = UserTable::find(context().db, userName);
    if (!account)
        message(WindowMessages::ListedRowGone);
    return account;
}

void TfrmUser_Accounts::clearPasswords()
{
    for (QLineEdit* secret : {edtPassword, edtPassword2, edtNew_Password, edtNew_Password2})
        secret->clear();
}

void TfrmUser_Accounts::btnCancelClick()
{
    clearPasswords();
    Panel2->hide();
    Panel3->hide();
    Panel4->hide();
}

void TfrmUser_Accounts::btnExitClick()
{
    returnToMainMenu();
}

// ---------------------------------------------------------------------------
// Adding an account

void TfrmUser_Accounts::btnAdd_UserClick()
{
    // The next number after the listed accounts, as a suggestion only.
    int highest = 0;
    for (const UserAccount& a : UserTable::all(context().db))
        if (a.id < UserTable::kFirstSystemId)
            highest = std::max(highest, a.id);
    edtU_ID->setText(highest + 1 < UserTable::kFirstSystemId ? QString::number(highest + 1) : QString());
    for (QLineEdit* edit : {edtUsername, edtU_F_Name, edtU_L_Name})
        edit->clear();
    cmbSection->setCurrentIndex(0);
    cmbU_Surname->setCurrentIndex(-1);
    cmbU_Surname->clearEditText();
    clearPasswords();
    Panel2->show();
    edtUsername->setFocus();
}

QString TfrmUser_Accounts::addRefusal() const
{
    bool isNumber = false;
    const int id = edtU_ID->text().trimmed().toInt(&isNumber);
    if (!isNumber || id < 0)
        return kIdNotNumber;
    if (edtUsername->text().trimmed().isEmpty())
        return kNoUserName;
    if (edtPassword->text().isEmpty())
        return kNoPassword;
    if (edtPassword2->text() != edtPassword->text())
        return kPasswordsDiffer;
    return QString();
}

void TfrmUser_Accounts::btnSaveClick()
{
    if (const QString refusal = addRefusal(); !refusal.isEmpty()) {
        // Passwords that did not match are typed again, both of them.
        if (refusal == kPasswordsDiffer)
            clearPasswords();
        message(refusal);
        return;
    }
    UserAccount account;
    account.id = edtU_ID->text().trimmed().toInt();
    account.userName = edtUsername->text().trimmed();
    account.password = edtPassword->text();
    account.section = cmbSection->currentData().toInt();
    account.title = cmbU_Surname->currentText().trimmed();
    account.firstName = edtU_F_Name->text().trimmed();
    account.lastName = edtU_L_Name->text().trimmed();
    // Said before the question, when it is already so.
    if (const QString taken = UserTable::takenText(context().db, account.id, account.userName); !taken.isEmpty()) {
        message(taken);
        return;
    }
    if (!confirm(WindowMessages::ConfirmSave))
        return;
    // Another workstation may have taken the name or the ID since.
    if (const QString refused = UserTable::addUnlessTaken(context().db, account); !refused.isEmpty()) {
        message(refused);
        return;
    }
    clearPasswords();
    message(WindowMessages::Saved);
    Panel2->hide();
    showAccounts(account.userName);
}

// ---------------------------------------------------------------------------
// Changing an account

void TfrmUser_Accounts::btnSet_LevelClick()
{
    const std::optional<UserAccount> account = selectedAccount();
    if (!account)
        return;
    editedUserName_ = account->userName;
    lblLevel_Account->setText(accountLine(*account));
    cmbNew_Section->setCurrentIndex(std::max(0, cmbNew_Section->findData(account->section)));
    Panel3->show();
}

void TfrmUser_Accounts::btnSave_LevelClick()
{
    const int level = cmbNew_Section->currentData().toInt();
    // Whoever lowers their own level loses this window on their next
    // sign-in; another administrator has to do it.
    if (editedUserName_ == context().startup.loginUser && !Rights::kAdministrator.contains(level)) {
        message(QStringLiteral("ไม่สามารถลดระดับสิทธิ์ของบัญชีที่กำลังใช้งานอยู่ได้"));
        return;
    }
    if (!confirm(WindowMessages::ConfirmSave))
        return;
    if (!UserTable::setLevel(context().db, editedUserName_, level)) {
        message(WindowMessages::ListedRowGone);
        return;
    }
    message(WindowMessages::Saved);
    Panel3->hide();
    showAccounts(editedUserName_);
}

void TfrmUser_Accounts::btnReset_PasswordClick()
{
    const std::optional<UserAccount> account = selectedAccount();
    if (!account)
        return;
    editedUserName_ = account->userName;
    lblPassword_Account->setText(accountLine(*account));
    clearPasswords();
    Panel4->show();
    edtNew_Password->setFocus();
}

void TfrmUser_Accounts::btnSave_PasswordClick()
{
    const QString password = edtNew_Password->text();
    if (password.isEmpty()) {
        message(kNoPassword);
        return;
    }
    if (edtNew_Password2->text() != password) {
        clearPasswords();
        message(kPasswordsDiffer);
        return;
    }
    if (!confirm(WindowMessages::ConfirmSave))
        return;
    Database& db = context().db;
    const std::optional<UserAccount> account =
        UserTable::setPassword(db, editedUserName_, password) ? UserTable::find(db, editedUserName_) : std::nullopt;
    if (!account) {
        message(WindowMessages::ListedRowGone);
        return;
    }
    clearPasswords();
    Panel4->hide();
    showAccounts(account->userName);
    // The system's own accounts are never printed, here no more than in the
    // letters window.
    if (account->id >= UserTable::kFirstSystemId) {
        message(QStringLiteral("ตั้งรหัสผ่านใหม่ของผู้ใช้ %1 เรียบร้อยแล้ว\n"
                               "บัญชีนี้เป็นบัญชีของระบบ (ID %2 ขึ้นไป) จึงไม่พิมพ์หนังสือแจ้งรหัสผ่าน")
                    .arg(account->userName)
                    .arg(UserTable::kFirstSystemId));
        return;
    }
    message(WindowMessages::Saved);
    const LetterAccount letter{account->id,       account->userName, password,           account->firstName,
                               account->lastName, account->faculty,  account->sectionName};
    context().pages.showPages(this, BuildAccountLetters({letter}, context().startup.currentDate),
                              QStringLiteral("Account ผู้ใช้ระบบ"));
}

void TfrmUser_Accounts::btnDisable_UserClick()
{
    const std::optional<UserAccount> account = selectedAccount();
    if (!account)
        return;
    // Nobody locks the last administrator out by accident: another
    // administrator has to do it.
    if (account->userName == context().startup.loginUser) {
        message(QStringLiteral("ไม่สามารถระงับการใช้งานบัญชีที่กำลังใช้งานอยู่ได้"));
        return;
    }
    if (!account->enabled) {
        message(QStringLiteral("ผู้ใช้ %1 ถูกระงับการใช้งานอยู่แล้ว").arg(account->userName));
        return;
    }
    if (!askYesNo(QStringLiteral("ต้องการระงับการใช้งานของผู้ใช้ %1 หรือไม่\n"
                                 "ผู้ใช้นี้จะเข้าสู่ระบบไม่ได้จนกว่าจะเปิดใช้งานอีกครั้ง")
                      .arg(account->userName)))
        return;
    UserTable::setEnabled(context().db, account->userName, false);
    message(QStringLiteral("ระงับการใช้งานผู้ใช้ %1 เรียบร้อยแล้ว").arg(account->userName));
    showAccounts(account->userName);
}

void TfrmUser_Accounts::btnEnable_UserClick()
{
    const std::optional<UserAccount> account = selectedAccount();
    if (!account)
        return;
    if (account->enabled) {
        message(QStringLiteral("ผู้ใช้ %1 ใช้งานได้อยู่แล้ว").arg(account->userName));
        return;
    }
    UserTable::setEnabled(context().db, account->userName, true);
    message(QStringLiteral("เปิดใช้งานผู้ใช้ %1 เรียบร้อยแล้ว").arg(account->userName));
    showAccounts(account->userName);
}

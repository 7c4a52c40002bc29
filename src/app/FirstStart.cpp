#include "app/FirstStart.h"

#include "app/StartupMessages.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "ui/Appearance.h"
#include "ui/Prompter.h"

#include <QCommandLinkButton>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kExampleUrl = QStringLiteral("postgresql://costdesk@dbserver:5432/costdesk");
const QString kEnterUrl = QStringLiteral("กรุณาใส่ที่อยู่ของฐานข้อมูลกลาง เช่น ") + kExampleUrl;
const QString kNoPasswordInUrl =
    QStringLiteral("ที่อยู่ฐานข้อมูลต้องไม่มีรหัสผ่าน เพราะจะถูกบันทึกไว้ในแฟ้มค่าตั้ง\n"
                   "นำรหัสผ่านออกจากที่อยู่แล้ว ให้ใส่รหัสผ่านไว้ในแฟ้ม ~/.pgpass ของเครื่องนี้ (หรือตัวแปร PGPASSWORD) แทน");
const QString kAccountsExist =
    QStringLiteral("ฐานข้อมูลนี้มีผู้ใช้แล้ว กรุณาเข้าสู่ระบบด้วยชื่อผู้ใช้ที่มีอยู่");

enum Page { ChoicePage, ServerPage };

// Enter in a field moves to the next control, or presses the given button,
// and goes no further, so that the dialog's default button is not pressed on
// the way as well.
class EnterGoesOn : public QObject {
public:
    explicit EnterGoesOn(QObject* owner, QAbstractButton* press = nullptr) : QObject(owner), press_(press) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->modifiers() != Qt::NoModifier)
            return false;
        if (press_) {
            press_->click();
        } else if (auto* field = qobject_cast<QWidget*>(watched)) {
            QWidget* next = field->nextInFocusChain();
            while (next != field && !((next->focusPolicy() & Qt::TabFocus) && next->isVisible() && next->isEnabled()))
                next = next->nextInFocusChain();
            next->setFocus(Qt::TabFocusReason);
        }
        return true;
    }

private:
    QAbstractButton* press_;
};

QLabel* wrappedLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QLabel* titleLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton* button(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QLineEdit* field(const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

// A field of the first administrator's account: its edit's and its label's
// names, its label, the word a refusal names when it is left empty (none:
// the field is checked otherwise), the hint shown in it, and whether it is
// kept as typed (a password) rather than trimmed.
struct AdminField {
    QString edit;
    QString label;
    QString caption;
    QString missingWord;
    QString hint;
    bool asTyped = false;
};

const std::array<AdminField, FirstAdministratorDialog::FieldCount> kAdminFields = {{
    {QStringLiteral("edtAdmin_ID"), QStringLiteral("L_Admin_ID"), QStringLiteral("รหัสประจำตัว (ID)"),
     QStringLiteral("รหัสประจำตัว (ID)"), QStringLiteral("ตัวเลข เช่น 1")},
    {QStringLiteral("edtAdmin_User_Name"), QStringLiteral("L_Admin_User_Name"),
     QStringLiteral("ชื่อผู้ใช้ (User Name)"), QStringLiteral("ชื่อผู้ใช้"), {}},
    {QStringLiteral("edtAdmin_Password"), QStringLiteral("L_Admin_Password"), QStringLiteral("รหัสผ่าน"),
     QStringLiteral("รหัสผ่าน"), {}, true},
    {QStringLiteral("edtAdmin_Password2"), QStringLiteral("L_Admin_Password2"), QStringLiteral("ยืนยันรหัสผ่าน"),
     {}, {}, true},
    {QStringLiteral("edtAdmin_Title"), QStringLiteral("L_Admin_Title"), QStringLiteral("คำนำหน้าชื่อ"),
     QStringLiteral("คำนำหน้าชื่อ"), QStringLiteral("นาย นาง นางสาว")},
    {QStringLiteral("edtAdmin_F_Name"), QStringLiteral("L_Admin_F_Name"), QStringLiteral("ชื่อ"),
     QStringLiteral("ชื่อ"), {}},
    {QStringLiteral("edtAdmin_L_Name"), QStringLiteral("L_Admin_L_Name"), QStringLiteral("นามสกุล"),
     QStringLiteral("นามสกุล"), {}},
}};

} // namespace

// ---------------------------------------------------------------------------

FirstStartDialog::FirstStartDialog(Prompter& prompter, Setup setup, QWidget* parent)
    : QDialog(parent), prompter_(prompter), setup_(std::move(setup))
{
    setObjectName(QStringLiteral("frmFirstStart"));
    setWindowTitle(QStringLiteral("CostDesk - เริ่มใช้งาน"));
    build();
    showPage(ChoicePage);
}

FirstStartDialog::~FirstStartDialog() = default;

std::unique_ptr<Database> FirstStartDialog::takeDatabase()
{
    return std::move(db_);
}

void FirstStartDialog::build()
{
    auto* layout = new QVBoxLayout(this);
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));

    // The three ways on.
    auto* choice = new QWidget(pages_);
    choice->setObjectName(QStringLiteral("ChoicePage"));
    auto* choiceLayout = new QVBoxLayout(choice);
    choiceLayout->setContentsMargins(0, 0, 0, 0);
    choiceLayout->addWidget(titleLabel(QStringLiteral("L_Title"), QStringLiteral("เริ่มใช้งาน CostDesk"), choice));
    if (!setup_.problem.isEmpty()) {
        QLabel* problem = wrappedLabel(QStringLiteral("L_Problem"), setup_.problem, choice);
        problem->setStyleSheet(QStringLiteral("color: #b00000;"));
        problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
        choiceLayout->addWidget(problem);
    }
    choiceLayout->addWidget(wrappedLabel(
        QStringLiteral("L_Intro"),
        setup_.problem.isEmpty() ? QStringLiteral("เครื่องนี้ยังไม่มีฐานข้อมูลของโปรแกรม เลือกวิธีเริ่มใช้งาน:")
                                 : QStringLiteral("เลือกฐานข้อมูลที่จะใช้:"),
        choice));
    const bool embeddedExists = QFileInfo::exists(setup_.embedded.path);
    const QString embeddedFile = QDir::toNativeSeparators(setup_.embedded.path);
    auto* create = new QCommandLinkButton(
        embeddedExists ? QStringLiteral("ใช้ฐานข้อมูลในเครื่องนี้") : QStringLiteral("สร้างฐานข้อมูลในเครื่องนี้"),
        embeddedExists ? QStringLiteral("ฐานข้อมูลที่มีอยู่แล้วในแฟ้ม %1").arg(embeddedFile)
                       : QStringLiteral("ฐานข้อมูลใหม่ที่ยังว่าง ไม่มีข้อมูลตัวอย่าง เก็บในแฟ้ม %1 "
                                        "แล้วตั้งผู้ดูแลระบบคนแรก")
                             .arg(embeddedFile),
        choice);
    create->setObjectName(QStringLiteral("btnCreateEmbedded"));
    btnCreateEmbedded = create;
    auto* server = new QCommandLinkButton(
        QStringLiteral("ใช้ฐานข้อมูลกลางบนเครื่องแม่ข่าย"),
        QStringLiteral("เมื่อหลายเครื่องใช้ข้อมูลชุดเดียวกัน: ใส่ที่อยู่ของฐานข้อมูล PostgreSQL ที่ผู้ดูแลระบบให้มา"), choice);
    server->setObjectName(QStringLiteral("btnUseServer"));
    btnUseServer = server;
    choiceLayout->addWidget(btnCreateEmbedded);
    choiceLayout->addWidget(btnUseServer);
    choiceLayout->addStretch();
    pages_->addWidget(choice);

    // The shared server's URL.
    auto* serverPage = new QWidget(pages_);
    serverPage->setObjectName(QStringLiteral("ServerPage"));
    auto* serverLayout = new QVBoxLayout(serverPage);
    serverLayout->setContentsMargins(0, 0, 0, 0);
    serverLayout->addWidget(
        titleLabel(QStringLiteral("L_ServerTitle"), QStringLiteral("ฐานข้อมูลกลางบนเครื่องแม่ข่าย"), serverPage));
    serverLayout->addWidget(
        wrappedLabel(QStringLiteral("L_ServerUrl"), QStringLiteral("ที่อยู่ของฐานข้อมูล (URL):"), serverPage));
    edtServerUrl = field(QStringLiteral("edtServerUrl"), serverPage);
    edtServerUrl->setPlaceholderText(kExampleUrl);
    edtServerUrl->setMinimumWidth(Appearance::scaled(360));
    serverLayout->addWidget(edtServerUrl);
    serverLayout->addWidget(wrappedLabel(
        QStringLiteral("L_ServerHelp"),
        QStringLiteral("รูปแบบ postgresql://ผู้ใช้@เครื่องแม่ข่าย:พอร์ต/ชื่อฐานข้อมูล\n"
                       "ที่อยู่นี้จะบันทึกไว้ในแฟ้ม %1\n"
                       "ไม่ต้องใส่รหัสผ่าน: โปรแกรมไม่เก็บรหัสผ่าน\n"
                       "ให้ใส่รหัสผ่านไว้ในแฟ้ม ~/.pgpass ของเครื่องนี้ หรือในตัวแปร PGPASSWORD")
            .arg(QDir::toNativeSeparators(setup_.settingsFile)),
        serverPage));
    serverLayout->addStretch();
    pages_->addWidget(serverPage);
    layout->addWidget(pages_);

    auto* buttons = new QHBoxLayout;
    btnBack = button(QStringLiteral("btnBack"), QStringLiteral("ย้อนกลับ"), this);
    btnConnect = button(QStringLiteral("btnConnect"), QStringLiteral("เชื่อมต่อ"), this);
    btnLeave = button(QStringLiteral("btnLeave"), QStringLiteral("ออกจากโปรแกรม"), this);
    buttons->addWidget(btnBack);
    buttons->addStretch();
    buttons->addWidget(btnConnect);
    buttons->addWidget(btnLeave);
    layout->addLayout(buttons);

    // Enter in the URL connects.
    edtServerUrl->installEventFilter(new EnterGoesOn(this, btnConnect));
    connect(btnCreateEmbedded, &QPushButton::clicked, this, &FirstStartDialog::btnCreateEmbeddedClick);
    connect(btnUseServer, &QPushButton::clicked, this, &FirstStartDialog::btnUseServerClick);
    connect(btnConnect, &QPushButton::clicked, this, &FirstStartDialog::btnConnectClick);
    connect(btnBack, &QPushButton::clicked, this, &FirstStartDialog::btnBackClick);
    connect(btnLeave, &QPushButton::clicked, this, &FirstStartDialog::btnLeaveClick);
    setMinimumWidth(Appearance::scaled(480));
}

void FirstStartDialog::showPage(int page)
{
    pages_->setCurrentIndex(page);
    btnBack->setVisible(page == ServerPage);
    btnConnect->setVisible(page == ServerPage);
    if (page == ServerPage)
        edtServerUrl->setFocus();
    else
        btnCreateEmbedded->setFocus();
}

bool FirstStartDialog::writeSettings(const QString& url)
{
    QString error;
    if (SettingsFile::writeDatabase(setup_.settingsFile, url, &error))
        return true;
    prompter_.showMessage(this, QStringLiteral("บันทึกแฟ้มค่าตั้ง %1 ไม่ได้\nสาเหตุ: %2")
                                    .arg(QDir::toNativeSeparators(setup_.settingsFile), error));
    return false;
}

void FirstStartDialog::btnCreateEmbeddedClick()
{
    const bool exists = QFileInfo::exists(setup_.embedded.path);
    try {
        // Tables and reference rows only, as init makes them; no demonstration data.
        if (!exists)
            Schema::createDatabase(setup_.embedded, Database::kDefaultTimeZone);
        db_ = Database::open(setup_.embedded);
    } catch (const std::exception& e) {
        const QString reason = QString::fromUtf8(e.what());
        const QString text = exists ? StartupMessages::noConnection(StartupMessages::databaseName(setup_.embedded), reason)
                                    : QStringLiteral("ไม่สามารถสร้างฐานข้อมูลได้\nแฟ้ม: %1\nสาเหตุ: %2")
                                          .arg(QDir::toNativeSeparators(setup_.embedded.path), reason);
        StartupMessages::toStandardError(text);
        prompter_.showMessage(this, text);
        return;
    }
    // A settings file that is there names the database from now on; without
    // one the embedded file is found where it is.
    if (QFileInfo::exists(setup_.settingsFile))
        writeSettings(setup_.embedded.toUrl());
    accept();
}

void FirstStartDialog::btnUseServerClick()
{
    showPage(ServerPage);
}

void FirstStartDialog::btnBackClick()
{
    showPage(ChoicePage);
}

void FirstStartDialog::btnConnectClick()
{
    const QString url = edtServerUrl->text().trimmed();
    if (url.isEmpty()) {
        prompter_.showMessage(this, kEnterUrl);
        edtServerUrl->setFocus();
        return;
    }
    const QString withoutPassword = ConnectionSettings::withoutPassword(url);
    if (withoutPassword != url || !QUrl(url).password().isEmpty()) {
        // Off the screen as well as out of the file.
        // The user part keeps its name alone; a password option shows ****.
        edtServerUrl->setText(withoutPassword != url
                                  ? QString(withoutPassword).replace(QStringLiteral(":****@"), QStringLiteral("@"))
                                  : QUrl(url).toString(QUrl::RemovePassword));
        prompter_.showMessage(this, kNoPasswordInUrl);
        edtServerUrl->setFocus();
        return;
    }
    ConnectionSettings settings;
    try {
        settings = ConnectionSettings::fromUrl(url);
    } catch (const DbError& e) {
        prompter_.showMessage(this, QStringLiteral("ที่อยู่ฐานข้อมูลไม่ถูกต้อง: %1\nสาเหตุ: %2\nตัวอย่าง: %3")
                                        .arg(url, e.text(), kExampleUrl));
        edtServerUrl->setFocus();
        return;
    }
    if (!writeSettings(settings.toUrl()))
        return;
    try {
        db_ = Database::open(settings);
    } catch (const std::exception& e) {
        // The line stays written: a server that is down or not yet open to
        // this workstation is tried again at the next start.
        const QString text =
            StartupMessages::noConnection(StartupMessages::databaseName(settings), QString::fromUtf8(e.what()));
        StartupMessages::toStandardError(text);
        prompter_.showMessage(this, text);
        edtServerUrl->setFocus();
        return;
    }
    accept();
}

void FirstStartDialog::btnLeaveClick()
{
    reject();
}

// ---------------------------------------------------------------------------

FirstAdministrator::Result FirstAdministrator::add(Database& db, const UserAccount& account)
{
    Database::Transaction tx(db);
    if (UserTable::exists(db, account.userName))
        return Result::UserNameTaken;
    if (UserTable::idExists(db, account.id))
        return Result::IdTaken;
    // Only the first account is made here; later ones by an administrator.
    if (!UserTable::isEmpty(db))
        return Result::AccountsExist;
    UserTable::insert(db, account);
    tx.commit();
    return Result::Added;
}

FirstAdministratorDialog::FirstAdministratorDialog(Database& db, Prompter& prompter, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter)
{
    setObjectName(QStringLiteral("frmFirstAdministrator"));
    setWindowTitle(QStringLiteral("CostDesk - ผู้ดูแลระบบคนแรก"));
    build();
}

void FirstAdministratorDialog::build()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(QStringLiteral("L_Title"), QStringLiteral("ตั้งผู้ดูแลระบบคนแรก"), this));
    QLabel* intro = wrappedLabel(
        QStringLiteral("L_Intro"),
        // A line each, so that no line breaks inside a word.
        QStringLiteral("ฐานข้อมูลยังไม่มีผู้ใช้: %1\n"
                       "กรอกข้อมูลของผู้ดูแลระบบคนแรก (สิทธิ์ระดับ 9 เห็นทุกเมนู)\n"
                       "แล้วโปรแกรมจะเข้าสู่ระบบด้วยผู้ใช้นี้")
            .arg(StartupMessages::databaseName(db_.settings())),
        this);
    intro->setWordWrap(false);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    for (int f = 0; f < FieldCount; ++f) {
        const AdminField& row = kAdminFields.at(f);
        QLineEdit* edit = fields_.at(f) = field(row.edit, this);
        edit->setPlaceholderText(row.hint);
        if (row.asTyped) {
            edit->setEchoMode(QLineEdit::Password);
            edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
        }
        auto* label = new QLabel(row.caption, this);
        label->setObjectName(row.label);
        label->setBuddy(edit);
        form->addRow(label, edit);
    }
    auto* levelCaption = new QLabel(QStringLiteral("ระดับสิทธิ์"), this);
    levelCaption->setObjectName(QStringLiteral("L_Admin_Level"));
    auto* level = new QLabel(QStringLiteral("9 (ผู้ดูแลระบบ)"), this);
    level->setObjectName(QStringLiteral("L_Admin_Level_Value"));
    form->addRow(levelCaption, level);
    layout->addLayout(form);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    btnSaveAdmin = button(QStringLiteral("btnSaveAdmin"), QStringLiteral("บันทึกและเข้าสู่ระบบ"), this);
    btnLeave = button(QStringLiteral("btnLeave"), QStringLiteral("ออกจากโปรแกรม"), this);
    buttons->addStretch();
    buttons->addWidget(btnSaveAdmin);
    buttons->addWidget(btnLeave);
    layout->addLayout(buttons);

    auto* enter = new EnterGoesOn(this);
    for (QLineEdit* edit : fields_)
        edit->installEventFilter(enter);
    connect(btnSaveAdmin, &QPushButton::clicked, this, &FirstAdministratorDialog::btnSaveAdminClick);
    connect(btnLeave, &QPushButton::clicked, this, &FirstAdministratorDialog::btnLeaveClick);
    setMinimumWidth(Appearance::scaled(420));
    fields_.at(Id)->setFocus();
}

QString FirstAdministratorDialog::typed(Field f) const
{
    const QString text = fields_.at(f)->text();
    return kAdminFields.at(f).asTyped ? text : text.trimmed();
}

QString FirstAdministratorDialog::refusal(QLineEdit** at) const
{
    for (int i = 0; i < FieldCount; ++i) {
        const auto f = Field(i);
        *at = fields_.at(f);
        const QString& missingWord = kAdminFields.at(f).missingWord;
        if (!missingWord.isEmpty() && typed(f).isEmpty())
            return QStringLiteral("กรุณากรอก") + missingWord;
        if (f == Id) {
            bool isNumber = false;
            const int id = typed(Id).toInt(&isNumber);
            if (!isNumber || id < 1)
                return QStringLiteral("รหัสประจำตัว (ID) ต้องเป็นตัวเลข ตั้งแต่ 1 ขึ้นไป เช่น 1");
        }
        if (f == Password2 && typed(Password2) != typed(Password)) {
            *at = fields_.at(Password);
            return QStringLiteral("รหัสผ่านทั้งสองช่องไม่ตรงกัน กรุณาพิมพ์รหัสผ่านใหม่ทั้งสองช่อง");
        }
    }
    *at = nullptr;
    return QString();
}

void FirstAdministratorDialog::btnSaveAdminClick()
{
    QLineEdit* wrong = nullptr;
    if (const QString text = refusal(&wrong); !text.isEmpty()) {
        if (wrong == fields_.at(Password)) {
            fields_.at(Password)->clear();
            fields_.at(Password2)->clear();
        }
        prompter_.showMessage(this, text);
        wrong->setFocus();
        return;
    }
    UserAccount account;
    account.id = typed(Id).toInt();
    account.userName = typed(UserName);
    account.password = typed(Password);
    account.section = 9;
    account.title = typed(Title);
    account.firstName = typed(FirstName);
    account.lastName = typed(LastName);
    try {
        switch (FirstAdministrator::add(db_, account)) {
        case FirstAdministrator::Result::UserNameTaken:
            prompter_.showMessage(this, QStringLiteral("ชื่อผู้ใช้ %1 มีอยู่แล้ว กรุณาใช้ชื่ออื่น").arg(account.userName));
            fields_.at(UserName)->setFocus();
            return;
        case FirstAdministrator::Result::IdTaken:
            prompter_.showMessage(this, QStringLiteral("รหัสประจำตัว %1 มีผู้ใช้อยู่แล้ว กรุณาใช้รหัสอื่น").arg(account.id));
            fields_.at(Id)->setFocus();
            return;
        case FirstAdministrator::Result::AccountsExist:
            prompter_.showMessage(this, kAccountsExist);
            outcome_ = Outcome::AccountsExist;
            accept();
            return;
        case FirstAdministrator::Result::Added:
            break;
        }
    } catch (const DbError& e) {
        prompter_.showFailure(this, e);
        return;
    }
    administrator_ = account;
    outcome_ = Outcome::Created;
    accept();
}

void FirstAdministratorDialog::btnLeaveClick()
{
    outcome_ = Outcome::Left;
    reject();
}

#include "app/UCostDesk.h"
#include "app/UserGuide.h"

#include "app/FirstStart.h"
#include "app/StartupMessages.h"
#include "data/ServerRoles.h"
#include "data/SignIn.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/UserTable.h"
#include "data/VersionTable.h"
#include "ui/Appearance.h"
#include "ui/EnterMovesFocus.h"
#include "ui/Prompter.h"
#include "ui/WorkingWindow.h"
#include "platform/LocalAddress.h"
#include "ui/FileOpener.h"
#include "ui/PagePreviewDialog.h"
#include "util/Utility.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <algorithm>

static void initAppResources()
{
    Q_INIT_RESOURCE(app);
}

namespace {

const QString kWrongSignIn = QStringLiteral("ชื่อหรือรหัสผ่านผิด กรุณาใส่ใหม่");
const QString kDisabledAccount = QStringLiteral("บัญชีผู้ใช้นี้ถูกระงับการใช้งาน กรุณาติดต่อผู้ดูแลระบบ");
const QString kTooManyWrongPasswords = QStringLiteral("ใส่รหัสผ่านผิดเกิน 5 ครั้งใน 15 นาที ชื่อผู้ใช้นี้จึงลงชื่อเข้าใช้ไม่ได้ 15 นาที "
                                                      "กรุณาลองใหม่ภายหลัง หรือติดต่อผู้ดูแลระบบ");

// The frame's property holding the name of the menu item that opened it.
constexpr char kMenuItemProperty[] = "menuItem";

// A menu caption as a window's heading: without the blanks that indent it
// and the number that orders it ("       1.1 พิมพ์ใบ Invoice ใหม่").
QString captionWithoutNumber(const QString& caption)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d+(\\.\\d+)*\\.?\\s+)?"));
    return QString(caption).remove(number).trimmed();
}

QString versionMismatchText(const QString& databaseVersion)
{
    return QStringLiteral("โปรแกรมมีการเปลี่ยนแปลง Version แล้ว ") + QLatin1Char('\n')
        + QStringLiteral("Version นี้ไม่สามารถใช้งานได้") + QLatin1Char('\n')
        + QStringLiteral("Version ปัจจุบันคือ  ") + databaseVersion;
}

} // namespace

TfrmCostDesk::TfrmCostDesk(QWidget* parent) : TfrmCostDesk(Options{}, parent) {}

TfrmCostDesk::TfrmCostDesk(const Options& options, QWidget* parent)
    : QMainWindow(parent), prompter_(options.prompter), pageViewer_(options.pageViewer), fixedClock_(options.fixedClock),
      connection_(options.connection), runDialog_(options.runDialog), menu_(options.menu)
{
    files_ = options.fileOpener ? options.fileOpener : &desktopFiles_;
    if (!prompter_) {
        ownPrompter_ = std::make_unique<MessageBoxPrompter>();
        prompter_ = ownPrompter_.get();
    }
    if (!pageViewer_) {
        ownPageViewer_ = std::make_unique<PreviewPageViewer>(*prompter_);
        pageViewer_ = ownPageViewer_.get();
    }
    setObjectName(QStringLiteral("frmCostDesk"));
    setWindowTitle(QStringLiteral("frmCostDesk"));

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("Image1"));
    initAppResources();
    background_ = QImage(QStringLiteral(":/app/background.jpg"));
    setCentralWidget(mdiArea_);
    mdiArea_->viewport()->installEventFilter(this);

    // On the background, beneath any working window.
    L_Cdate = new QLabel(mdiArea_->viewport());
    L_Cdate->setObjectName(QStringLiteral("L_Cdate"));
    QFont dateFont = L_Cdate->font();
    dateFont.setPointSizeF(dateFont.pointSizeF() * 1.3);
    dateFont.setBold(true);
    L_Cdate->setFont(dateFont);
    L_Cdate->setStyleSheet(QStringLiteral("color: white;"));

    buildMenu();
    buildHelpMenu();
    buildSignInPanel();
    buildStatusBar();
    FormCreate();
    placeOverlays();
    setWindowState(Qt::WindowMaximized);
}

TfrmCostDesk::~TfrmCostDesk()
{
    // Working windows go before the connection they use.
    delete mdiArea_;
    mdiArea_ = nullptr;
}

void TfrmCostDesk::buildMenu()
{
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QHash<QString, QMenu*> menus;
    for (const MenuRow& row : std::as_const(menu_)) {
        QWidget* container = MainMenu1;
        if (!row.parent.isEmpty()) {
            container = menus.value(row.parent);
            if (!container)
                qFatal("menu row %s comes before its menu %s", qPrintable(row.name), qPrintable(row.parent));
        }
        QAction* action = nullptr;
        switch (row.kind) {
        case MenuRow::Kind::Menu: {
            QMenu* menu = MainMenu1->addMenu(row.caption);
            menu->setObjectName(row.name + QStringLiteral("Menu"));
            menus.insert(row.name, menu);
            action = menu->menuAction();
            break;
        }
        case MenuRow::Kind::Separator:
            action = new QAction(container);
            action->setSeparator(true);
            container->addAction(action);
            break;
        case MenuRow::Kind::Window:
            action = new QAction(row.caption, container);
            container->addAction(action);
            connect(action, &QAction::triggered, this, [this, name = row.name] { openWindow(name); });
            break;
        case MenuRow::Kind::Exit:
            action = new QAction(row.caption, container);
            container->addAction(action);
            connect(action, &QAction::triggered, this, &TfrmCostDesk::N5Click);
            break;
        case MenuRow::Kind::WindowList:
            windowMenu_ = MainMenu1->addMenu(row.caption);
            windowMenu_->setObjectName(row.name);
            buildWindowMenu(windowMenu_);
            action = windowMenu_->menuAction();
            break;
        }
        action->setObjectName(row.name);
        items_.insert(row.name, action);
    }
}

void TfrmCostDesk::buildHelpMenu()
{
    QMenu* help = menuBar()->addMenu(QStringLiteral("ช่วยเหลือ"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->menuAction()->setObjectName(QStringLiteral("mnuHelp"));
    auto* guide = new QAction(QStringLiteral("คู่มือการใช้งาน"), help);
    guide->setObjectName(QStringLiteral("actGuide"));
    guide->setShortcut(QKeySequence::HelpContents);
    // F1 reaches it from every working window and from the sign-in panel.
    guide->setShortcutContext(Qt::ApplicationShortcut);
    help->addAction(guide);
    connect(guide, &QAction::triggered, this, &TfrmCostDesk::actGuideClick);
    auto* about = new QAction(QStringLiteral("เกี่ยวกับโปรแกรม"), help);
    about->setObjectName(QStringLiteral("actAbout"));
    help->addAction(about);
    connect(about, &QAction::triggered, this, &TfrmCostDesk::actAboutClick);
}

void TfrmCostDesk::actGuideClick()
{
    QString part = WindowRegistry::kGuideStart;
    if (const QMdiSubWindow* frame = mdiArea_->activeSubWindow())
        part = WindowRegistry::guidePart(frame->property(kMenuItemProperty).toString());
    const QUrl url = UserGuide::partUrl(part);
    if (url.isEmpty()) {
        prompter_->showWarning(this, QStringLiteral("ไม่พบคู่มือการใช้งาน (%1) กรุณาแจ้งผู้ดูแลระบบ").arg(UserGuide::kFileName));
        return;
    }
    if (!files_->openUrl(url))
        prompter_->showWarning(this, QStringLiteral("ไม่สามารถเปิดคู่มือการใช้งานได้: %1").arg(url.toLocalFile()));
}

void TfrmCostDesk::actAboutClick()
{
    QString database = QStringLiteral("ยังไม่ได้เชื่อมต่อ");
    if (db_)
        database = ConnectionSettings::withoutPassword(db_->settings().toUrl());
    prompter_->showMessage(this, QStringLiteral("CostDesk เวอร์ชัน %1\nโปรแกรมออกใบแจ้งหนี้ร้านค้า กองคลัง\nฐานข้อมูล: %2")
                                     .arg(QLatin1String(kProgramVersion), database));
}

void TfrmCostDesk::buildWindowMenu(QMenu* menu)
{
    const auto add = [&](const char* name, const QString& caption, auto slot) {
        auto* action = new QAction(caption, menu);
        action->setObjectName(QLatin1String(name));
        menu->addAction(action);
        connect(action, &QAction::triggered, this, slot);
    };
    add("actCascade", QStringLiteral("เรียงซ้อน"), [this] { mdiArea_->cascadeSubWindows(); });
    add("actTile", QStringLiteral("เรียงต่อกัน"), [this] { mdiArea_->tileSubWindows(); });
    add("actCloseAll", QStringLiteral("ปิดทั้งหมด"), [this] { closeWorkingWindows(); });
    menu->addSeparator();
    connect(menu, &QMenu::aboutToShow, this, &TfrmCostDesk::listWindows);
}

void TfrmCostDesk::listWindows()
{
    // The items go with their group.
    delete windowItems_;
    windowItems_ = new QActionGroup(windowMenu_);
    const QList<QMdiSubWindow*> frames = mdiArea_->subWindowList();
    for (const char* name : {"actCascade", "actTile", "actCloseAll"})
        windowMenu_->findChild<QAction*>(QLatin1String(name))->setEnabled(!frames.isEmpty());
    int number = 0;
    for (QMdiSubWindow* frame : frames) {
        // An ampersand in a title is shown, not taken for a shortcut.
        QString text = frame->windowTitle();
        auto* action = new QAction(text.replace(QLatin1Char('&'), QStringLiteral("&&")), windowItems_);
        action->setObjectName(QStringLiteral("actWindow%1").arg(++number));
        action->setCheckable(true);
        // The current window even while the menu, not the frame, has the focus.
        action->setChecked(frame == mdiArea_->currentSubWindow());
        connect(action, &QAction::triggered, frame, [this, frame] { mdiArea_->setActiveSubWindow(frame); });
        windowMenu_->addAction(action);
    }
}

void TfrmCostDesk::buildSignInPanel()
{
    Panel1 = new QFrame(mdiArea_);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    auto* panelLayout = new QGridLayout(Panel1);

    // The group, its labels and its buttons are left to Qt once built: only
    // the panel and the two fields are used afterwards.
    auto* GroupBox1 = new QGroupBox(Panel1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    panelLayout->addWidget(GroupBox1);
    auto* grid = new QGridLayout(GroupBox1);

    auto* Label1 = new QLabel(QStringLiteral("User Name"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    edtUser_Name = new QLineEdit(GroupBox1);
    edtUser_Name->setObjectName(QStringLiteral("edtUser_Name"));
    auto* Label2 = new QLabel(QStringLiteral("Password"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));
    edtPassword = new QLineEdit(GroupBox1);
    edtPassword->setObjectName(QStringLiteral("edtPassword"));
    edtPassword->setEchoMode(QLineEdit::Password);
    edtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    auto* btnOk = new QPushButton(QStringLiteral("OK"), GroupBox1);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setAutoDefault(true);
    auto* btnCancel = new QPushButton(QStringLiteral("Cancel"), GroupBox1);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(true);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(edtUser_Name, 0, 1, 1, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(edtPassword, 1, 1, 1, 2);
    grid->addWidget(btnOk, 2, 1);
    grid->addWidget(btnCancel, 2, 2);
    setTabOrder(edtUser_Name, edtPassword);
    setTabOrder(edtPassword, btnOk);
    setTabOrder(btnOk, btnCancel);

    // edtUser_NameKeyPress: Enter in either field moves on as Tab does.
    EnterMovesFocus::install(this, {edtUser_Name, edtPassword});
    connect(btnOk, &QPushButton::clicked, this, &TfrmCostDesk::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmCostDesk::btnCancelClick);
    Panel1->resize(Appearance::scaled(380), Appearance::scaled(170));
}

void TfrmCostDesk::buildStatusBar()
{
    QStatusBar* StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    const int widths[] = {50, 50, 250, 150, 200, 50};
    for (int i = 0; i < 6; ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i < 5)
            panel->setFixedWidth(Appearance::scaled(widths[i]));
        else
            panel->setMinimumWidth(Appearance::scaled(widths[i]));  // the last panel takes the rest
        StatusBar1->addPermanentWidget(panel, i == 5 ? 1 : 0);
        statusPanels_.append(panel);
    }
    StatusBar1->show();
}

QString TfrmCostDesk::statusPanelText(int panel) const
{
    return panel >= 1 && panel <= statusPanels_.size() ? statusPanels_.at(panel - 1)->text() : QString();
}

void TfrmCostDesk::FormCreate()
{
    // 1. The settings, the connection and the server text of the last status
    // panel.
    db_ = connectAtStartUp(readSettings());
    if (!db_) {
        requestTerminate();
        return;
    }
    workOnConnection();
    statusPanels_.at(5)->setText(QStringLiteral("Server REZ(") + db_->serverShortHostName()
                                 + QStringLiteral(") 2014 (Version %1)").arg(QLatin1String(kProgramVersion)));
    if (const QString warning = db_->exposureWarning(); !warning.isEmpty())
        prompter_->showMessage(this, warning);

    // 2. and 3. Empty fields, no menu before sign-in.
    edtUser_Name->clear();
    edtPassword->clear();
    // The user starts typing the user name at once.
    edtUser_Name->setFocus();
    for (const MenuRow& row : std::as_const(menu_))
        if (row.parent.isEmpty())
            items_.value(row.name)->setVisible(false);

    if (!schemaIsCurrent()) {
        requestTerminate();
        return;
    }
    try {
        // 4. The version gate: the last version in order must be ours.
        const QString databaseVersion = VersionTable::lastVersion(*db_);
        if (databaseVersion != QLatin1String(ProgramVersion)) {
            prompter_->showMessage(this, versionMismatchText(databaseVersion));
            requestTerminate();
        }
        // 5. and 6. The start-up date and budget year, fixed for the whole run.
        const StartupValues fromClock = StartupValues::fromServerClock(db_->serverNow());
        startup_.currentDate = fromClock.currentDate;
        startup_.budgetYear = fromClock.budgetYear;
        L_Cdate->setText(QStringLiteral("วันที่ปัจจุบัน : ") + startup_.currentDate);
        L_Cdate->adjustSize();
    } catch (const std::exception& e) {
        // Without a version or a date the program cannot work safely.
        prompter_->showFailure(this, e);
        requestTerminate();
    }

    // A setting that is given but wrong is told to whoever starts the
    // program, before anything is printed with it.
    if (!terminateRequested_) {
        for (const QString& problem : texts_.problems())
            prompter_->showMessage(this, problem);
    }
    if (!terminateRequested_)
        offerFirstAdministrator();
}

SettingsFile TfrmCostDesk::readSettings()
{
    // Kept as read now: a file edited while the program runs changes
    // nothing until the next start, the same for every window.
    const QString path = ConnectionSettings::settingsFilePath();
    texts_ = DocumentTexts::load(path);
    backup_ = DailyBackup::Settings::load(path);
    // A misspelt key would otherwise be passed over without a word.
    const QStringList knownKeys = DocumentTexts::settingKeys() + DailyBackup::Settings::settingKeys();
    SettingsFile file = SettingsFile::read(path, knownKeys);
    if (file.hasUnknown())
        tellAtStartUp(StartupMessages::unknownSettings(file, knownKeys));
    return file;
}

std::unique_ptr<Database> TfrmCostDesk::connectAtStartUp(const SettingsFile& file)
{
    if (connection_)
        return openAtStartUp(*connection_);

    const DatabaseChoice choice = DatabaseChoice::choose(QCoreApplication::arguments(), file);
    if (choice.settings)
        return openAtStartUp(*choice.settings);
    if (choice.source == DatabaseChoice::Source::CommandLine || choice.source == DatabaseChoice::Source::Environment) {
        tellAtStartUp(StartupMessages::noConnection(choice.url, choice.problem));
        return nullptr;
    }
    // Nothing set up yet, or a settings file that names no usable database:
    // never the embedded file without asking, since clerks could bill into
    // the wrong database.
    FirstStartDialog::Setup setup{ConnectionSettings::embeddedDefault(), file.path, QString()};
    if (choice.source == DatabaseChoice::Source::SettingsFile) {
        setup.problem = StartupMessages::noDatabaseLine(file, choice);
        StartupMessages::toStandardError(setup.problem);
    }
    // No parent: the main window is not on the screen yet, and the dialog
    // is placed in the middle of the screen instead of over it.
    FirstStartDialog dialog(*prompter_, setup);
    runDialog(dialog);
    return dialog.takeDatabase();
}

std::unique_ptr<Database> TfrmCostDesk::openAtStartUp(const ConnectionSettings& settings)
{
    try {
        return Database::open(settings);
    } catch (const std::exception& e) {
        tellAtStartUp(StartupMessages::noConnection(StartupMessages::databaseName(settings), QString::fromUtf8(e.what())));
        return nullptr;
    }
}

bool TfrmCostDesk::schemaIsCurrent()
{
    try {
        const Schema::Status status = Schema::status(*db_);
        if (status.newer()) {
            tellAtStartUp(Schema::NewerDatabaseText(status));
            return false;
        }
        if (!status.older())
            return true;
        const bool embedded = db_->engine() == ConnectionSettings::Engine::SQLite;
        const QString needed = Schema::OlderDatabaseText(status, db_->settings().toUrl(), embedded);
        // On a workstation's own file the clerk is its administrator.
        if (!embedded || !prompter_->askYesNo(this, needed + QStringLiteral("\n\nต้องการให้โปรแกรมสำรองฐานข้อมูล"
                                                                          "แล้วปรับรุ่นให้เลยหรือไม่"))) {
            tellAtStartUp(needed);
            return false;
        }
        const Schema::Upgrade done = Schema::upgrade(*db_);
        StartupMessages::toStandardError(QStringLiteral("database upgraded from schema %1 to %2, backup %3")
                                             .arg(done.before.applied)
                                             .arg(Schema::appliedVersion(*db_))
                                             .arg(done.backupFile));
        prompter_->showMessage(this, QStringLiteral("ปรับรุ่นฐานข้อมูลเป็นรุ่น %1 เรียบร้อยแล้ว\n"
                                                    "แฟ้มสำรองก่อนปรับรุ่น: %2")
                                         .arg(Schema::appliedVersion(*db_))
                                         .arg(done.backupFile));
        return true;
    } catch (const std::exception& e) {
        prompter_->showFailure(this, e);
        return false;
    }
}

void TfrmCostDesk::offerFirstAdministrator()
{
    try {
        // A server's accounts are logins of their own: a workstation's gate
        // may neither read T_USER nor make them; its administrator does,
        // with costdesk-admin add-user.
        if (!ServerRoles::MayKeepLogins(*db_) || !UserTable::isEmpty(*db_))
            return;
    } catch (const std::exception& e) {
        prompter_->showFailure(this, e);
        return;
    }
    FirstAdministratorDialog dialog(*db_, *prompter_);
    runDialog(dialog);
    switch (dialog.outcome()) {
    case FirstAdministratorDialog::Outcome::Left:
        requestTerminate();
        break;
    case FirstAdministratorDialog::Outcome::AccountsExist:
        break;  // the sign-in panel waits as usual
    case FirstAdministratorDialog::Outcome::Created:
        // Signed in as any user signs in, with what was just typed.
        edtUser_Name->setText(dialog.administrator().userName);
        edtPassword->setText(dialog.administrator().password);
        btnOkClick();
        break;
    }
}

void TfrmCostDesk::tellAtStartUp(const QString& text)
{
    StartupMessages::toStandardError(text);
    prompter_->showMessage(isVisible() ? this : nullptr, text);
}

void TfrmCostDesk::runDialog(QDialog& dialog)
{
    if (runDialog_)
        runDialog_(dialog);
    else
        dialog.exec();
}

void TfrmCostDesk::btnOkClick()
{
    if (!db_ || !startup_.loginUser.isEmpty())
        return;
    try {
        SignIn::Outcome attempt = SignIn::Attempt(*db_, edtUser_Name->text(), edtPassword->text());
        switch (attempt.result) {
        case UserTable::SignIn::Result::WrongPassword:
            prompter_->showMessage(this, kWrongSignIn);
            return;
        case UserTable::SignIn::Result::Locked:
            prompter_->showMessage(this, kTooManyWrongPasswords);
            return;
        case UserTable::SignIn::Result::Disabled:
            // Said only to whoever typed the right password.
            prompter_->showMessage(this, kDisabledAccount);
            return;
        case UserTable::SignIn::Result::SignedIn:
            break;
        }
        // On a server all work runs on the person's own connection from now
        // on, and the gate's is closed.
        if (attempt.connection) {
            db_ = std::move(attempt.connection);
            workOnConnection();
        }
        const std::optional<UserAccount>& user = attempt.account;
        // What this connection writes from now on is the person's, in the
        // audit trail.
        db_->setActingUser(user->userName);
        startup_.rightsLevel = user->section;
        startup_.loginUser = user->userName;
        enterSignedInState(*user, edtUser_Name->text());
    } catch (const std::exception& e) {
        prompter_->showFailure(this, e);
    }
}

void TfrmCostDesk::enterSignedInState(const UserAccount& user, const QString& typedUserName)
{
    statusPanels_.at(0)->setText(QStringLiteral("1"));
    statusPanels_.at(1)->setText(typedUserName);
    statusPanels_.at(2)->setText(QStringLiteral("ชื่อผู้ใช้งาน : ") + user.displayName());
    statusPanels_.at(3)->setText(QStringLiteral("วันที่ : ") + startup_.currentDate);
    statusPanels_.at(4)->setText(QStringLiteral("IP ADDRESS : ") + LocalIPAddress());
    setMenusForLevel(startup_.rightsLevel);
    statusBar()->show();
    Panel1->hide();
}

void TfrmCostDesk::setMenusForLevel(int level)
{
    QSet<QString> shown;
    bool seesAMenu = false;
    for (const MenuRow& row : std::as_const(menu_)) {
        if (row.parent.isEmpty() && row.levels.contains(level)) {
            items_.value(row.name)->setVisible(true);
            shown.insert(row.name);
            seesAMenu = seesAMenu || row.kind == MenuRow::Kind::Menu;
        }
    }
    // Whoever may open a window may find it again.
    for (const MenuRow& row : std::as_const(menu_))
        if (row.kind == MenuRow::Kind::WindowList)
            items_.value(row.name)->setVisible(seesAMenu);
    // The items of a menu the level does not see keep their state: nobody
    // reaches them.
    for (const MenuRow& row : std::as_const(menu_))
        if (shown.contains(row.parent) && row.kind != MenuRow::Kind::Separator)
            items_.value(row.name)->setEnabled(row.levels.contains(level));
}

void TfrmCostDesk::btnCancelClick()
{
    requestTerminate();
}

void TfrmCostDesk::N5Click()
{
    if (!closeWorkingWindows())
        return;
    requestTerminate();
}

bool TfrmCostDesk::closeWorkingWindows()
{
    if (!mdiArea_)
        return true;
    for (QMdiSubWindow* frame : mdiArea_->subWindowList()) {
        mdiArea_->setActiveSubWindow(frame);
        if (!frame->close())
            return false;
    }
    return true;
}

void TfrmCostDesk::closeEvent(QCloseEvent* event)
{
    if (!closeWorkingWindows()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TfrmCostDesk::requestTerminate()
{
    terminateRequested_ = true;
    // Like the old program, the request takes effect once the event loop runs.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void TfrmCostDesk::workOnConnection()
{
    if (fixedClock_)
        db_->setFixedClock(fixedClock_);
    context_ =
        std::make_unique<WorkContext>(WorkContext{*db_, *prompter_, startup_, texts_, *pageViewer_, *files_, *this});
}

const MenuRow* TfrmCostDesk::menuRow(const QString& name) const
{
    const auto row = std::find_if(menu_.cbegin(), menu_.cend(), [&](const MenuRow& r) { return r.name == name; });
    return row == menu_.cend() ? nullptr : &*row;
}

WorkingWindow* TfrmCostDesk::open(const QString& menuItemName)
{
    // Only what this user's menu offers: an item the level may use, in a
    // menu the level sees.
    const MenuRow* row = menuRow(menuItemName);
    if (!row || row->kind != MenuRow::Kind::Window || !row->levels.contains(startup_.rightsLevel))
        return nullptr;
    const MenuRow* menu = menuRow(row->parent);
    if (menu && !menu->levels.contains(startup_.rightsLevel))
        return nullptr;
    return openWindow(menuItemName);
}

WorkingWindow* TfrmCostDesk::openWindow(const QString& menuItemName)
{
    const MenuRow* row = menuRow(menuItemName);
    if (!row || !row->open || !context_)
        return nullptr;
    if (QMdiSubWindow* held = windowHoldingUnsavedLines(row->name)) {
        mdiArea_->setActiveSubWindow(held);
        auto* window = static_cast<WorkingWindow*>(held->widget());
        if (!context_->prompter.askYesNo(window, QStringLiteral("หน้าต่าง") + window->heading()
                                                     + QStringLiteral("ยังมีรายการที่ยังไม่ได้บันทึก "
                                                                      "ต้องการเปิดหน้าต่างใหม่อีกหน้าต่างหรือไม่")))
            return nullptr;
    }
    try {
        WorkingWindow* window = row->open(*context_);
        window->setHeading(!row->heading.isEmpty()      ? row->heading
                           : !window->heading().isEmpty() ? window->heading()
                                                          : captionWithoutNumber(row->caption));
        QMdiSubWindow* frame = mdiArea_->addSubWindow(window);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->setProperty(kMenuItemProperty, row->name);
        frame->showMaximized();
        return window;
    } catch (const std::exception& e) {
        prompter_->showFailure(this, e);
    }
    return nullptr;
}

QMdiSubWindow* TfrmCostDesk::windowHoldingUnsavedLines(const QString& menuItemName) const
{
    const QList<QMdiSubWindow*> frames = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto frame = frames.crbegin(); frame != frames.crend(); ++frame) {
        const auto* window = qobject_cast<const WorkingWindow*>((*frame)->widget());
        if ((*frame)->property(kMenuItemProperty).toString() == menuItemName && window
            && window->holdsUnsavedLines())
            return *frame;
    }
    return nullptr;
}

bool TfrmCostDesk::eventFilter(QObject* watched, QEvent* event)
{
    if (mdiArea_ && watched == mdiArea_->viewport() && event->type() == QEvent::Resize)
        placeOverlays();
    return QMainWindow::eventFilter(watched, event);
}

void TfrmCostDesk::placeOverlays()
{
    if (!mdiArea_)
        return;
    // The picture fills the client area, stretched to its size.
    const QSize area = mdiArea_->viewport()->size();
    if (!background_.isNull() && !area.isEmpty() && scaledBackgroundSize_ != area) {
        mdiArea_->setBackground(QBrush(background_.scaled(area, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        scaledBackgroundSize_ = area;
    }
    L_Cdate->move(16, 12);
    L_Cdate->lower();
    Panel1->move((mdiArea_->width() - Panel1->width()) / 2, (mdiArea_->height() - Panel1->height()) / 2);
    Panel1->raise();
}

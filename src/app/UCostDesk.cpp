#include "app/UCostDesk.h"

#include "app/FirstStart.h"
#include "app/StartupMessages.h"
#include "data/Database.h"
#include "data/StartupQueries.h"
#include "ui/Appearance.h"
#include "ui/EnterMovesFocus.h"
#include "ui/Prompter.h"
#include "ui/WorkingWindow.h"
#include "platform/LocalAddress.h"
#include "print/DocumentSettings.h"
#include "print/PageViewer.h"
#include "ui/FileOpener.h"
#include "util/Utility.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

static void initAppResources()
{
    Q_INIT_RESOURCE(app);
}

namespace {

const QString kWrongSignIn = QStringLiteral("ชื่อหรือรหัสผ่านผิด กรุณาใส่ใหม่");

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
      connection_(options.connection), runDialog_(options.runDialog)
{
    if (!prompter_) {
        ownPrompter_ = std::make_unique<MessageBoxPrompter>();
        prompter_ = ownPrompter_.get();
    }
    if (!pageViewer_) {
        ownPageViewer_ = std::make_unique<PreviewPageViewer>();
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
    buildSignInPanel();
    buildStatusBar();
    registerWindows();
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

QAction* TfrmCostDesk::menuItem(QMenu* menu, const QString& name, const QString& caption,
                                void (TfrmCostDesk::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    items_.insert(name, action);
    return action;
}

QAction* TfrmCostDesk::separator(QMenu* menu, const QString& name)
{
    QAction* action = menu->addSeparator();
    action->setObjectName(name);
    items_.insert(name, action);
    return action;
}

void TfrmCostDesk::buildMenu()
{
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    const auto topMenu = [&](const QString& name, const QString& caption) {
        QMenu* menu = MainMenu1->addMenu(caption);
        menu->setObjectName(name + QStringLiteral("Menu"));
        menu->menuAction()->setObjectName(name);
        items_.insert(name, menu->menuAction());
        return menu;
    };

    QMenu* N1 = topMenu(QStringLiteral("N1"), QStringLiteral("ข้อมูลอ้างอิง"));
    menuItem(N1, QStringLiteral("N7"), QStringLiteral("ข้อมูลร้านค้า"), &TfrmCostDesk::N7Click);
    menuItem(N1, QStringLiteral("N8"), QStringLiteral("ประเภทค่าใช้จ่าย"), &TfrmCostDesk::N8Click);
    separator(N1, QStringLiteral("N10"));
    menuItem(N1, QStringLiteral("N9"), QStringLiteral("ค่าใช้จ่ายคงที่รายเดือน"), &TfrmCostDesk::N9Click);

    QMenu* N2 = topMenu(QStringLiteral("N2"), QStringLiteral("บันทึกข้อมูล"));
    menuItem(N2, QStringLiteral("N6"), QStringLiteral("1. บันทึกค่าใช้จ่ายร้ายค้า(ทำใบ Invoice)"), &TfrmCostDesk::N6Click);
    menuItem(N2, QStringLiteral("N11Invoice1"), QStringLiteral("       1.1 พิมพ์ใบ Invoice ใหม่"),
             &TfrmCostDesk::N11Invoice1Click);
    menuItem(N2, QStringLiteral("N12"), QStringLiteral("2. บันทึกวันที่ชำระเงิน"), &TfrmCostDesk::N12Click);
    separator(N2, QStringLiteral("N14"));
    menuItem(N2, QStringLiteral("N31"), QStringLiteral("3. บันทึกเลขที่ใบนำส่ง"), &TfrmCostDesk::N31Click);

    QMenu* N3 = topMenu(QStringLiteral("N3"), QStringLiteral("สอบถาม/รายงาน"));
    menuItem(N3, QStringLiteral("N11"), QStringLiteral("รายงานใบแจ้งการชำระเงิน"), &TfrmCostDesk::N11Click);
    menuItem(N3, QStringLiteral("N13"), QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้า"),
             &TfrmCostDesk::N13Click);
    separator(N3, QStringLiteral("N15"));
    menuItem(N3, QStringLiteral("N16"), QStringLiteral("รายงานรายละเอียดแยกตามประเภทค่าใช้จ่าย"), &TfrmCostDesk::N16Click);

    QMenu* N4 = topMenu(QStringLiteral("N4"), QStringLiteral("ผู้ดูแลระบบ"));
    menuItem(N4, QStringLiteral("Account1"), QStringLiteral("พิมพ์ Account ผู้ใช้ระบบ"), &TfrmCostDesk::Account1Click);

    QAction* N5 = MainMenu1->addAction(QStringLiteral("ออกจากโปรแกรม"));
    N5->setObjectName(QStringLiteral("N5"));
    connect(N5, &QAction::triggered, this, &TfrmCostDesk::N5Click);
    items_.insert(QStringLiteral("N5"), N5);
}

void TfrmCostDesk::buildSignInPanel()
{
    Panel1 = new QFrame(mdiArea_);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    auto* panelLayout = new QGridLayout(Panel1);

    GroupBox1 = new QGroupBox(Panel1);
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
    btnOk = new QPushButton(QStringLiteral("OK"), GroupBox1);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setAutoDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), GroupBox1);
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
    // 1. The connection and the server text of the last status panel.
    db_ = connectAtStartUp();
    if (!db_) {
        requestTerminate();
        return;
    }
    if (fixedClock_)
        db_->setFixedClock(fixedClock_);
    statusPanels_.at(5)->setText(QStringLiteral("Server REZ(") + db_->serverShortHostName()
                                 + QStringLiteral(") 2014 (Version %1)").arg(QLatin1String(kProgramVersion)));
    context_ = std::make_unique<WorkContext>(WorkContext{*db_, *prompter_, startup_, *pageViewer_, fileOpener_});
    if (const QString warning = db_->exposureWarning(); !warning.isEmpty())
        prompter_->showMessage(this, warning);

    // 2. and 3. Empty fields, no menu before sign-in.
    edtUser_Name->clear();
    edtPassword->clear();
    // The user starts typing the user name at once.
    edtUser_Name->setFocus();
    for (const char* name : {"N1", "N2", "N3", "N4", "N5"})
        items_.value(QLatin1String(name))->setVisible(false);

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
        showError(QString::fromUtf8(e.what()));
        requestTerminate();
    }

    // A setting that is given but wrong is told to whoever starts the
    // program, before anything is printed with it.
    if (!terminateRequested_) {
        for (const QString& problem : DocumentTexts::load(ConnectionSettings::settingsFilePath()).problems())
            prompter_->showMessage(this, problem);
    }
    if (!terminateRequested_)
        offerFirstAdministrator();
}

std::unique_ptr<Database> TfrmCostDesk::connectAtStartUp()
{
    // A misspelt key would otherwise be passed over without a word.
    const QStringList knownKeys = DocumentTexts::settingKeys();
    const SettingsFile file = SettingsFile::read(ConnectionSettings::settingsFilePath(), knownKeys);
    if (file.hasUnknown())
        tellAtStartUp(StartupMessages::unknownSettings(file, knownKeys));
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

void TfrmCostDesk::offerFirstAdministrator()
{
    try {
        if (!UserTable::isEmpty(*db_))
            return;
    } catch (const DbError& e) {
        showError(e.text());
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
        const std::optional<UserAccount> user = UserTable::signIn(*db_, edtUser_Name->text(), edtPassword->text());
        if (!user) {
            prompter_->showMessage(this, kWrongSignIn);
            return;
        }
        startup_.rightsLevel = user->section;
        startup_.loginUser = user->userName;
        enterSignedInState(*user, edtUser_Name->text());
    } catch (const DbError& e) {
        if (e.kind() == DbError::Kind::InvalidText)
            prompter_->showMessage(this, e.text());
        else
            showError(e.text());
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
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
    const auto show = [this](std::initializer_list<const char*> names) {
        for (const char* n : names)
            items_.value(QLatin1String(n))->setVisible(true);
    };
    const auto enable = [this](std::initializer_list<const char*> names, bool on) {
        for (const char* n : names)
            items_.value(QLatin1String(n))->setEnabled(on);
    };
    switch (level) {
    case 3:
        show({"N1", "N2", "N3", "N5"});
        enable({"N31"}, false);
        break;
    case 6:
        show({"N1", "N2", "N3", "N5"});
        enable({"N6", "N11Invoice1", "N12"}, false);
        enable({"N31"}, true);
        break;
    case 9:
        show({"N1", "N2", "N3", "N4", "N5"});
        break;
    default:
        break;  // signed in without any menu
    }
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
    for (QMdiSubWindow* frame : mdiArea_->subWindowList())
        if (!frame->close())
            return false;
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

void TfrmCostDesk::showError(const QString& text)
{
    prompter_->showError(this, text);
}

void TfrmCostDesk::openWindow(const QString& menuItemName)
{
    const WindowFactory factory = windows_.value(menuItemName);
    if (!factory || !context_)
        return;
    try {
        WorkingWindow* window = factory(*context_);
        QMdiSubWindow* frame = mdiArea_->addSubWindow(window);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->showMaximized();
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    }
}

void TfrmCostDesk::N6Click() { openWindow(QStringLiteral("N6")); }
void TfrmCostDesk::N7Click() { openWindow(QStringLiteral("N7")); }
void TfrmCostDesk::N8Click() { openWindow(QStringLiteral("N8")); }
void TfrmCostDesk::N9Click() { openWindow(QStringLiteral("N9")); }
void TfrmCostDesk::N11Click() { openWindow(QStringLiteral("N11")); }
void TfrmCostDesk::N12Click() { openWindow(QStringLiteral("N12")); }
void TfrmCostDesk::N13Click() { openWindow(QStringLiteral("N13")); }
void TfrmCostDesk::N11Invoice1Click() { openWindow(QStringLiteral("N11Invoice1")); }
void TfrmCostDesk::N31Click() { openWindow(QStringLiteral("N31")); }
void TfrmCostDesk::N16Click() { openWindow(QStringLiteral("N16")); }
void TfrmCostDesk::Account1Click() { openWindow(QStringLiteral("Account1")); }

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

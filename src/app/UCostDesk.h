#pragma once

#include "app/WindowRegistry.h"
#include "core/StartupValues.h"
#include "core/Version.h"
#include "data/ConnectionSettings.h"
#include "data/DailyBackup.h"
#include "print/DocumentSettings.h"
#include "ui/FileOpener.h"
#include "ui/WindowOpener.h"
#include "ui/WorkContext.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

class Database;
class PageViewer;
class Prompter;
class QAction;
class QActionGroup;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class WorkingWindow;
struct UserAccount;

// The main window: the MDI frame, start-up (connection, version gate, server
// date), sign-in, the status bar and the menu that opens every working window.
class TfrmCostDesk : public QMainWindow, public WindowOpener {
    Q_OBJECT
public:
    struct Options {
        Prompter* prompter = nullptr;            // message boxes when null
        std::optional<QDateTime> fixedClock;     // replaces the server clock
        // The database to use; when empty, the command line, the environment
        // and the settings file decide, as for the program itself.
        std::optional<ConnectionSettings> connection;
        PageViewer* pageViewer = nullptr;        // the print preview when null
        FileOpener* fileOpener = nullptr;        // the desktop's programs when null
        // Shows a start-up dialog (the first start, the first administrator)
        // until it is done; exec() when empty. Tests drive the dialog here.
        std::function<void(QDialog&)> runDialog = {};
        // The menu bar's rows; tests add rows of their own.
        QList<MenuRow> menu = WindowRegistry::menu();
    };

    explicit TfrmCostDesk(QWidget* parent = nullptr);
    explicit TfrmCostDesk(const Options& options, QWidget* parent = nullptr);
    ~TfrmCostDesk() override;

    static constexpr auto ProgramVersion = kProgramVersion;

    const StartupValues& startupValues() const { return startup_; }
    // Where and whether the daily backup goes, as the settings file said at
    // start-up.
    const DailyBackup::Settings& backupSettings() const { return backup_; }
    // True once start-up or the user has told the program to end.
    bool terminateRequested() const { return terminateRequested_; }
    QString statusPanelText(int panel) const;   // panels 1 to 6
    QMdiArea* mdiArea() const { return mdiArea_; }
    Database* database() const { return db_.get(); }

    // The handlers of the window's controls and of "ออกจากโปรแกรม".
    void FormCreate();
    void btnOkClick();
    void btnCancelClick();
    void N5Click();
    // "คู่มือการใช้งาน" (F1): the guide at the part of the active working
    // window, or of signing in and the menu when none is open.
    void actGuideClick();
    // "เกี่ยวกับโปรแกรม": the program's version and the database in use.
    void actAboutClick();
    // The handler of every window item of the menu (N6Click, N7Click, ... of
    // the item names): a new instance of the row's window, as an MDI child,
    // maximised, titled with its form name and what it is. When a window the
    // item opened still holds unsaved lines, that window comes forward first
    // and a new one opens only if the user asks for it.
    WorkingWindow* openWindow(const QString& menuItemName);
    // A window asks for another: opened as its menu item opens it, when this
    // user's menu offers the item.
    WorkingWindow* open(const QString& menuItemName) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The program ends only when every working window agrees to close.
    void closeEvent(QCloseEvent* event) override;

private:
    // Closes the working windows in the order they were opened, each asked
    // as its own close asks and brought forward first, so that a question is
    // asked over the window it is about. Closing stops at the first window
    // that stays open: those opened before it are closed, it and those opened
    // after it stay. False when one stays.
    bool closeWorkingWindows();

    // The menu's row of this name; null when there is none.
    const MenuRow* menuRow(const QString& name) const;
    void buildMenu();
    // The menu "หน้าต่าง": cascade, tile, close all, and the open working
    // windows by title with the current one checked, listed afresh each time
    // the menu opens.
    void buildWindowMenu(QMenu* menu);
    // The menu "ช่วยเหลือ", last on the menu bar and seen by everyone.
    void buildHelpMenu();
    void listWindows();
    // The newest window opened from the item that still holds unsaved lines.
    QMdiSubWindow* windowHoldingUnsavedLines(const QString& menuItemName) const;
    void buildSignInPanel();
    void buildStatusBar();
    void enterSignedInState(const UserAccount& user, const QString& typedUserName);
    void setMenusForLevel(int level);
    // Reads the settings file, once for the whole run: the document texts and
    // the backup's settings are kept, keys the program does not know are
    // told, and the file's database line is returned for the connection.
    SettingsFile readSettings();
    // The database start-up is to use, opened; null when there is none, once
    // the user has been told why.
    std::unique_ptr<Database> connectAtStartUp(const SettingsFile& file);
    std::unique_ptr<Database> openAtStartUp(const ConnectionSettings& settings);
    // A database without any account: its first administrator, signed in.
    void offerFirstAdministrator();
    // The database's schema against the program's: a newer one is refused;
    // an older one is upgraded here on the embedded engine, when the clerk
    // agrees (a backup first), and otherwise refused with the command that
    // upgrades it. False when the program cannot go on.
    bool schemaIsCurrent();
    // A message at start-up, in a box and on standard error.
    void tellAtStartUp(const QString& text);
    void runDialog(QDialog& dialog);
    void requestTerminate();
    void placeOverlays();
    // The windows' work context on db_, the connection now in use, with the
    // fixed clock where one is given.
    void workOnConnection();

    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    std::unique_ptr<PageViewer> ownPageViewer_;
    PageViewer* pageViewer_ = nullptr;
    DesktopFileOpener desktopFiles_;
    FileOpener* files_ = nullptr;
    std::optional<QDateTime> fixedClock_;
    std::optional<ConnectionSettings> connection_;
    std::function<void(QDialog&)> runDialog_;
    std::unique_ptr<Database> db_;
    StartupValues startup_;
    DocumentTexts texts_;
    DailyBackup::Settings backup_;
    std::unique_ptr<WorkContext> context_;
    QList<MenuRow> menu_;
    bool terminateRequested_ = false;

    QMdiArea* mdiArea_ = nullptr;
    QImage background_;
    QSize scaledBackgroundSize_;
    QLabel* L_Cdate = nullptr;
    QFrame* Panel1 = nullptr;
    QLineEdit* edtUser_Name = nullptr;
    QLineEdit* edtPassword = nullptr;
    QList<QLabel*> statusPanels_;
    QHash<QString, QAction*> items_;
    QMenu* windowMenu_ = nullptr;
    QActionGroup* windowItems_ = nullptr;
};

// The pictures of the user's guide, made from the real windows: a new
// demonstration database, the main window driven offscreen through the menu
// and each window's named controls to the state its page describes, and
// each state saved as pictures/NAME.png. A control or menu item that is not
// there, a message where none is expected or a list left empty ends the
// program with status 1 and says which picture could not be made, so that a
// changed window cannot leave its page with a stale or wrong picture.
//
//   costdesk-guide-pictures FOLDER
#include "app/UCostDesk.h"
#include "billing/InvoicePrint.h"
#include "core/InvoiceStatus.h"
#include "core/ThaiDate.h"
#include "data/Database.h"
#include "data/Invoices.h"
#include "data/Schema.h"
#include "print/PagePainter.h"
#include "print/PageViewer.h"
#include "tools/DemoData.h"
#include "tools/SampleBankFile.h"
#include "ui/Appearance.h"
#include "ui/FileOpener.h"
#include "ui/Prompter.h"
#include "ui/QtTranslation.h"
#include "ui/StringGrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

#include <functional>
#include <stdexcept>

namespace {

// What went wrong while a picture was made.
struct NotReached : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Answers in the clerk's place: the bank's file when one is asked for, and
// every message kept, since none is expected on the way to a picture.
class GuidePrompter final : public Prompter {
public:
    void showMessage(QWidget*, const QString& text) override { said << text; }
    // Yes only to leaving a window once its picture is taken.
    bool confirm(QWidget*, const QString& text) override
    {
        if (leaving)
            return true;
        said << text;
        return false;
    }
    void showError(QWidget*, const QString& text) override { said << text; }
    QString askSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString askOpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return bankFile; }

    QStringList said;
    QString bankFile;
    bool leaving = false;
};

class KeptPages final : public PageViewer {
public:
    void showPages(QWidget*, const QList<Page>&, const QString&) override {}
};

class NoDesktop final : public FileOpener {
public:
    bool open(const QString&) override { return true; }
    bool openUrl(const QUrl&) override { return true; }
};

// How a window (or the main window) is driven: its controls by name.
struct Steps {
    QWidget& window;

    template <class W = QWidget>
    W* get(const char* name) const
    {
        auto* widget = window.findChild<W*>(QLatin1String(name));
        if (!widget)
            throw NotReached(QStringLiteral("%1 has no %2").arg(window.windowTitle(), QLatin1String(name)).toStdString());
        return widget;
    }
    const Steps& click(const char* name) const
    {
        get<QAbstractButton>(name)->click();
        QApplication::processEvents();
        return *this;
    }
    const Steps& type(const char* name, const QString& text) const
    {
        auto* edit = get<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        edit->insert(text);
        return *this;
    }
    const Steps& choose(const char* combo, const QString& text) const
    {
        get<QComboBox>(combo)->setEditText(text);
        return *this;
    }
    // The grid shows at least `rows` rows below its header.
    const Steps& lists(const char* grid, int rows) const
    {
        auto* shown = get<StringGrid>(grid);
        if (shown->rowCount() - 1 < rows || shown->cell(1, 1).isEmpty())
            throw NotReached(QStringLiteral("%1: %2 lists nothing").arg(window.windowTitle(), QLatin1String(grid)).toStdString());
        return *this;
    }
    const Steps& shows(const char* name) const
    {
        if (!get(name)->isVisible())
            throw NotReached(QStringLiteral("%1: %2 is not shown").arg(window.windowTitle(), QLatin1String(name)).toStdString());
        return *this;
    }
};

class Pictures {
public:
    Pictures(const QString& folder, const ConnectionSettings& database, const QString& bankFile)
        : folder_(folder)
    {
        prompter_.bankFile = bankFile;
        TfrmCostDesk::Options options{&prompter_, QDateTime(QDate(2026, 12, 10), QTime(10, 30)), database};
        options.pageViewer = &pages_;
        options.fileOpener = &files_;
        desk_ = std::make_unique<TfrmCostDesk>(options);
        desk_->resize(1280, 800);
        desk_->show();
        settle();
    }

    void signIn(const QString& user, const QString& password)
    {
        Steps{*desk_}.type("edtUser_Name", user).type("edtPassword", password);
        desk_->btnOkClick();
        settle();
        if (desk_->statusPanelText(1).isEmpty() && desk_->statusPanelText(2).isEmpty())
            throw NotReached("sign-in: no one is signed in");
    }

    void typeUserName(const QString& user) { Steps{*desk_}.type("edtUser_Name", user); }

    // The menu item's window opened and driven by `drive`, then saved.
    void window(const QString& menuItem, const QString& picture, const std::function<void(QWidget&)>& drive)
    {
        auto* item = desk_->findChild<QAction*>(menuItem);
        if (!item || !item->isEnabled())
            throw NotReached(QStringLiteral("no menu item %1").arg(menuItem).toStdString());
        item->trigger();
        settle();
        QMdiSubWindow* frame = desk_->mdiArea()->currentSubWindow();
        if (!frame)
            throw NotReached(QStringLiteral("%1 opened no window").arg(menuItem).toStdString());
        drive(*frame->widget());
        settle();
        save(picture);
        prompter_.leaving = true;
        frame->close();
        settle();
        prompter_.leaving = false;
    }

    // The main window as it is now.
    void save(const QString& picture)
    {
        if (!prompter_.said.isEmpty())
            throw NotReached(QStringLiteral("a message was shown: %1").arg(prompter_.said.join(u'|')).toStdString());
        if (!desk_->grab().save(QDir(folder_).filePath(picture + QStringLiteral(".png"))))
            throw NotReached(QStringLiteral("could not write %1.png").arg(picture).toStdString());
    }

    Database& database() { return *desk_->database(); }

private:
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    std::unique_ptr<TfrmCostDesk> desk_;
    GuidePrompter prompter_;
    KeptPages pages_;
    NoDesktop files_;
    QString folder_;
};

QString firstInvoice(Database& db, InvoiceStatus status)
{
    const QStringList numbers = InvoiceTable::numbersDue(db, QStringLiteral("25000101"), QStringLiteral("26001231"), status);
    if (numbers.isEmpty())
        throw NotReached("the demonstration data has no invoice of the status asked");
    return numbers.first();
}

void makeAll(Pictures& p, const QString& folder)
{
    p.typeUserName(QStringLiteral("clerk"));
    p.save(QStringLiteral("sign-in"));
    p.signIn(QStringLiteral("admin"), QStringLiteral("admin9"));
    p.save(QStringLiteral("main-menu"));
    Database& db = p.database();
    const QString unpaid = firstInvoice(db, InvoiceStatus::Issued);

    p.window("N7", "frmTR_Cafeteria", [](QWidget& w) { Steps{w}.click("btnSearch2").lists("StringGrid1", 5); });
    p.window("N8", "frmCost_Type", [](QWidget& w) { Steps{w}.click("btnSearch2").lists("StringGrid1", 5); });
    p.window("N9", "frmTR_Fix_Cost_Type", [](QWidget& w) { Steps{w}.click("btnSearch2").lists("StringGrid1", 5); });
    p.window("N6", "fmrCost_Entry", [](QWidget& w) {
        const Steps s{w};
        s.click("btnSearch1").click("btnEntry_Cost");
        s.choose("cmbCost_Code", QStringLiteral("001  ค่าเช่าพื้นที่")).type("edtCost_M", QStringLiteral("4500")).click("btnPostTable");
        s.choose("cmbCost_Code", QStringLiteral("002  ค่าไฟฟ้า")).type("edtCost_M", QStringLiteral("1250.50")).click("btnPostTable");
        s.lists("StringGrid2", 2);
    });
    p.window("N11Invoice1", "frmRe_Print_Invoice",
             [&](QWidget& w) { Steps{w}.type("edtInvoice_no", unpaid).click("btnSearch1"); });
    p.window("N6Monthly_Run", "frmMonthly_Run", [](QWidget& w) {
        Steps{w}.type("edtMonth", QStringLiteral("01/2570")).type("edtDue_Date", QStringLiteral("15/01/2570")).click("btnPreview");
    });
    p.window("N12", "frmEntry_Invoice_No", [&](QWidget& w) {
        Steps{w}.type("edtInvoice_no1", unpaid).click("btnSearch1").shows("edtPay_In_Date");
    });
    p.window("N12Bank_File", "frmImport_Bank_Payment", [](QWidget& w) { Steps{w}.click("btnChoose_File").lists("StringGrid1", 3); });
    p.window("N31", "frmEntry_RV_No", [](QWidget& w) {
        Steps{w}.type("edtBeg_date", QStringLiteral("01/10/2569")).type("edtEnd_date", QStringLiteral("10/12/2569")).click("btnSelect");
    });
    for (const auto& [item, form] : {std::pair{"N11", "frmRep_Cost_Month"}, std::pair{"N13", "frmRepPay_in_Bank"},
                                     std::pair{"N16", "frmRep_Cost_Detail"}, std::pair{"N17Overdue", "frmRep_Overdue"}})
        p.window(QLatin1String(item), QLatin1String(form), [](QWidget& w) { Steps{w}.click("btnSelect").lists("StringGrid1", 3); });
    p.window("YearOverview", "frmYear_Overview", [](QWidget& w) { Steps{w}.click("btnSelect").lists("StringGrid1", 5); });
    p.window("Account1", "frmPrint_User", [](QWidget& w) { Steps{w}.click("btnShow_data"); });
    p.window("AccountManage", "frmUser_Accounts", [](QWidget& w) { Steps{w}.lists("StringGrid1", 2); });
    p.window("Locations", "frmLocations", [](QWidget& w) { Steps{w}.lists("StringGrid1", 2); });
    p.window("AuditHistory", "frmAudit_History", [](QWidget& w) { Steps{w}.click("btnShow").lists("StringGrid1", 1); });

    // The payment notice as it prints, the pay-in slip below.
    const InvoicePrint::Result invoice = InvoicePrint::LoadPage(db, unpaid, DocumentTexts::defaults());
    if (!invoice.page)
        throw NotReached(QStringLiteral("invoice %1: %2").arg(unpaid, invoice.refusal).toStdString());
    if (!PagePainter::render(*invoice.page, 100).save(QDir(folder).filePath(QStringLiteral("invoice-page.png"))))
        throw NotReached("could not write invoice-page.png");
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1) {
        err << "usage: costdesk-guide-pictures FOLDER\n";
        return 2;
    }
    const QString folder = args.first();
    // The program's settings and log stay in a folder of this run.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath(QStringLiteral("state"))));
    qunsetenv("COSTDESK_DATABASE");
    Appearance::apply();
    QtTranslation::installThai();
    if (!QDir().mkpath(folder)) {
        err << "costdesk-guide-pictures: cannot make " << folder << "\n";
        return 1;
    }
    try {
        const ConnectionSettings database = ConnectionSettings::fromUrl(QStringLiteral("sqlite:") + home.filePath(QStringLiteral("demo.sqlite")));
        Schema::createDatabase(database, QStringLiteral("Asia/Bangkok"));
        fillDemoData(*Database::open(database));
        const QString bankFile = home.filePath(QStringLiteral("bank.txt"));
        QString said;
        QTextStream out(&said), errors(&said);
        if (SampleBankFile::Command({database.toUrl(), bankFile, QStringLiteral("--count"), QStringLiteral("8")}, out, errors) != 0)
            throw NotReached(QStringLiteral("no bank file: %1").arg(said).toStdString());
        Pictures pictures(folder, database, bankFile);
        makeAll(pictures, folder);
    } catch (const std::exception& e) {
        err << "costdesk-guide-pictures: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
    return 0;
}

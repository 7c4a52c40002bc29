#include "invoicing/UMonthly_Run.h"

#include "billing/InvoicePrint.h"
#include "core/Numbers.h"
#include "core/StartupValues.h"
#include "core/ThaiDate.h"
#include "data/Database.h"
#include "print/PageViewer.h"
#include "ui/BackgroundWork.h"
#include "ui/DateMaskEdit.h"
#include "ui/MonthMaskEdit.h"
#include "ui/StringGrid.h"
#include "ui/WindowMessages.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>

#include <exception>

namespace {

const QString kCaption = QStringLiteral("frmMonthly_Run");
const QString kBadMonth = QStringLiteral("กรุณาใส่เดือนให้ถูกต้อง (ดด/ปปปป ปี พ.ศ.)");
const QString kNoFixedCosts = QStringLiteral("ไม่มีร้านค้าที่มีค่าใช้จ่ายคงที่รายเดือน");
const QString kAllIssued = QStringLiteral("ใบแจ้งหนี้ประจำเดือน %1 ออกครบทุกร้านค้าแล้ว");
const QString kConfirmIssue =
    QStringLiteral("ออกใบแจ้งหนี้ประจำเดือน %1 จำนวน %2 ฉบับ รวม %3 บาท กำหนดชำระเงินภายในวันที่ %4 ใช่หรือไม่");
const QString kIssuing = QStringLiteral("กำลังออกใบแจ้งหนี้ประจำเดือน %1 ฉบับที่ %2 จาก %3 ...");
const QString kStopped =
    QStringLiteral("หยุดการออกใบแจ้งหนี้ตามที่สั่ง ยังไม่ได้ออกอีก %1 ฉบับ\nกด \"ออกใบแจ้งหนี้\" อีกครั้งเพื่อออกต่อ");
const QString kIssued = QStringLiteral("ออกใบแจ้งหนี้ %1 ฉบับ รวม %2 บาท");
const QString kIssuedBefore = QStringLiteral("ออกไปแล้วก่อนหน้านี้ %1 ฉบับ");
const QString kFailed = QStringLiteral("ออกไม่ได้ %1 ฉบับ");
const QString kMoreFailed = QStringLiteral("และอีก %1 ฉบับ");
const QString kSummary = QStringLiteral("จะออกใบแจ้งหนี้ %1 ฉบับ รวม %2 บาท · ออกแล้ว %3 ฉบับ");
const QString kUnknownShops = QStringLiteral("ไม่พบร้านค้า %1 ในทะเบียน จึงไม่ออกใบแจ้งหนี้ให้");
const QString kNothingToPrint = QStringLiteral("ยังไม่มีใบแจ้งหนี้ของเดือนนี้ที่จะพิมพ์");
const QString kNotPrinted = QStringLiteral("พิมพ์ใบแจ้งหนี้ต่อไปนี้ไม่ได้");
const QString kPrintTitle = QStringLiteral("ใบแจ้งหนี้ประจำเดือน %1");
const QString kIssuedStatus = QStringLiteral("ออกแล้ว %1");
const QString kWaitingStatus = QStringLiteral("รอออก");

const QList<StringGrid::Column> kColumns = {
    {QStringLiteral("No"), 30},      {QStringLiteral("รหัสร้านค้า"), 80}, {QStringLiteral("ชื่อร้านค้า"), 190},
    {QStringLiteral("ส่วนที่"), 40},   {QStringLiteral("รายการ"), 40},    {QStringLiteral("ค่าใช้จ่าย"), 280},
    {QStringLiteral("จำนวนเงิน"), 90}, {QStringLiteral("สถานะ"), 120}};
constexpr int kAmountColumn = 6;
// Failures listed one by one in the closing message; the rest are counted.
constexpr int kFailuresListed = 20;

// The month after the one of a dd/mm/yyyy date: the month a run made in
// December bills is January of the next year.
QString MonthAfter(const QString& date)
{
    int month = date.mid(3, 2).toInt() + 1;
    int year = date.mid(6, 4).toInt();
    if (month > 12) {
        month = 1;
        ++year;
    }
    return QStringLiteral("%1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(year);
}

// The due date proposed for a month: its 15th.
QString ProposedDue(const QString& month)
{
    return QStringLiteral("15/") + month;
}

QString CostNames(const QList<InvoiceLine>& lines)
{
    QStringList names;
    for (const InvoiceLine& line : lines)
        names << line.costName;
    return names.join(QStringLiteral(", "));
}

} // namespace

TfrmMonthly_Run::TfrmMonthly_Run(WorkContext& context, QWidget* parent) : WorkingWindow(context, kCaption, parent)
{
    setObjectName(kCaption);
    buildPanel();
    onSignal(edtMonth, &QLineEdit::editingFinished, &TfrmMonthly_Run::edtMonthExit);
    onClick(btnPreview, &TfrmMonthly_Run::btnPreviewClick);
    onClick(btnIssue, &TfrmMonthly_Run::btnIssueClick);
    onClick(btnPrint_All, &TfrmMonthly_Run::btnPrint_AllClick);
    onClick(btnExit, &TfrmMonthly_Run::btnExitClick);
    guarded([this] { FormCreate(); });
}

TfrmMonthly_Run::~TfrmMonthly_Run()
{
    // The month field loses the focus while the window is taken down; its
    // handler would read members already gone.
    disconnect(edtMonth, nullptr, this, nullptr);
}

void TfrmMonthly_Run::FormCreate()
{
    // The run is made towards the end of a month for the month to come.
    const QString month = MonthAfter(context().startup.currentDate);
    edtMonth->setText(month);
    proposedDue_ = ProposedDue(month);
    edtDue_Date->setMaskedText(proposedDue_);
    plan_.reset();
    showPlan();
    edtMonth->setFocus();
}

void TfrmMonthly_Run::edtMonthExit()
{
    // A due date the clerk has not touched follows the month.
    const QString month = edtMonth->monthText();
    if (!MonthlyRun::IsMonthText(month) || edtDue_Date->maskedText() != proposedDue_)
        return;
    proposedDue_ = ProposedDue(month);
    edtDue_Date->setMaskedText(proposedDue_);
}

std::optional<std::pair<QString, QString>> TfrmMonthly_Run::typedRun()
{
    const QString month = edtMonth->monthText();
    if (!MonthlyRun::IsMonthText(month)) {
        message(kBadMonth);
        focusForRetyping(edtMonth);
        return std::nullopt;
    }
    const QString due = edtDue_Date->maskedText();
    if (!IsCalendarDate(due)) {
        message(WindowMessages::DateInvalidText(due, WindowMessages::DueDateInvalid));
        focusForRetyping(edtDue_Date);
        return std::nullopt;
    }
    if (MonthlyRun::DueBeforeMonth(month, due)) {
        message(MonthlyRun::DueBeforeMonthText(month));
        focusForRetyping(edtDue_Date);
        return std::nullopt;
    }
    return std::make_pair(month, due);
}

void TfrmMonthly_Run::prepare(const QString& month, const QString& dueDate)
{
    plan_ = MonthlyRun::Prepare(context().db, month, dueDate);
    if (issuedMonth_ != month) {
        issuedNow_.clear();
        issuedMonth_ = month;
    }
    showPlan();
}

void TfrmMonthly_Run::showPlan()
{
    StringGrid1->setAmountColumn(kAmountColumn);
    StringGrid1->resetGrid(kColumns);
    if (!plan_) {
        lblSummary->clear();
        lblUnknown->clear();
        lblUnknown->hide();
        btnIssue->setEnabled(false);
        btnPrint_All->setEnabled(false);
        return;
    }
    QVector<QStringList> rows;
    rows.reserve(plan_->parts.size());
    for (const MonthlyRun::Part& p : plan_->parts)
        rows.append({QString::number(rows.size() + 1), p.shop.code, p.shop.name, QString::number(p.part),
                     QString::number(p.lines.size()), CostNames(p.lines), FormatAmount(p.total),
                     p.issuedNumber ? kIssuedStatus.arg(*p.issuedNumber) : kWaitingStatus});
    StringGrid1->setDataRows(rows);
    lblSummary->setText(kSummary.arg(plan_->toIssueCount())
                            .arg(FormatAmount(plan_->toIssueTotal()))
                            .arg(plan_->issuedBeforeCount()));
    lblUnknown->setText(plan_->unknownShops.isEmpty() ? QString()
                                                      : kUnknownShops.arg(plan_->unknownShops.join(QStringLiteral(", "))));
    lblUnknown->setVisible(!plan_->unknownShops.isEmpty());
    btnIssue->setEnabled(plan_->toIssueCount() > 0);
    btnPrint_All->setEnabled(!numbersToPrint().isEmpty());
}

void TfrmMonthly_Run::btnPreviewClick()
{
    const auto run = typedRun();
    if (!run)
        return;
    prepare(run->first, run->second);
    if (plan_->parts.isEmpty())
        message(kNoFixedCosts);
}

void TfrmMonthly_Run::btnIssueClick()
{
    const auto run = typedRun();
    if (!run)
        return;
    const auto& [month, due] = *run;
    // Read anew, so that what is confirmed is what the month still lacks, for
    // the month and due date as the fields now hold them.
    prepare(month, due);
    const int toIssue = plan_->toIssueCount();
    if (toIssue == 0) {
        message(plan_->parts.isEmpty() ? kNoFixedCosts : kAllIssued.arg(month));
        return;
    }
    if (!confirm(kConfirmIssue.arg(month).arg(toIssue).arg(FormatAmount(plan_->toIssueTotal())).arg(due)))
        return;

    const StartupValues& startup = context().startup;
    const InvoiceIssue::Issuer issuer{startup.currentDate, startup.budgetYear, startup.loginUser};
    const MonthlyRun::Plan plan = *plan_;
    BackgroundWork::Dialog dialog{QStringLiteral("progressIssue"), kIssuing.arg(month).arg(1).arg(toIssue)};
    dialog.labelAt = [month](qsizetype done, qsizetype total) {
        return kIssuing.arg(month).arg(std::min(done + 1, total)).arg(total);
    };
    dialog.total = toIssue;
    // Written on the worker, read here once it has ended.
    QStringList issuedHere;
    std::optional<MonthlyRun::RunResult> result;
    std::exception_ptr failure;
    try {
        const auto work = [&](Database& db, const BackgroundWork::Progress& progress) {
            return MonthlyRun::IssueAll(db, plan, issuer, [&](const MonthlyRun::Step& step) {
                if (step.result.kind == MonthlyRun::PartResult::Kind::Issued)
                    issuedHere << step.result.number;
                return progress(step.done, step.total);
            });
        };
        result = BackgroundWork::Run(this, context().db, dialog, work);
    } catch (...) {
        failure = std::current_exception();
    }
    // What was issued stays issued, however the run ended: the month is read
    // again as it now stands.
    issuedNow_ << issuedHere;
    prepare(month, due);
    if (failure)
        std::rethrow_exception(failure);

    QStringList lines;
    if (result->stopped)
        lines << kStopped.arg(plan_->toIssueCount());
    lines << kIssued.arg(result->issued).arg(FormatAmount(result->issuedTotal))
          << kIssuedBefore.arg(result->issuedBefore);
    if (!result->failures.isEmpty()) {
        lines << kFailed.arg(result->failures.size());
        for (const MonthlyRun::PartFailure& f : result->failures.mid(0, kFailuresListed))
            lines << MonthlyRun::FailureText(f);
        if (result->failures.size() > kFailuresListed)
            lines << kMoreFailed.arg(result->failures.size() - kFailuresListed);
    }
    message(lines.join(QLatin1Char('\n')));
}

QStringList TfrmMonthly_Run::numbersToPrint() const
{
    if (!plan_)
        return {};
    if (issuedMonth_ == plan_->month && !issuedNow_.isEmpty())
        return issuedNow_;
    QStringList numbers;
    for (const MonthlyRun::Part& p : plan_->parts)
        if (p.issuedNumber)
            numbers << *p.issuedNumber;
    return numbers;
}

void TfrmMonthly_Run::btnPrint_AllClick()
{
    const QStringList numbers = numbersToPrint();
    if (numbers.isEmpty()) {
        message(kNothingToPrint);
        return;
    }
    // The same pages as the reprint window prints, one after the other.
    const DocumentTexts& texts = context().texts;
    QList<Page> pages;
    QStringList refused;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        pages.reserve(numbers.size());
        for (const QString& number : numbers) {
            const InvoicePrint::Result r = InvoicePrint::LoadPage(context().db, number, texts);
            if (r.page)
                pages << *r.page;
            else
                refused << number + QStringLiteral(": ") + r.refusal.trimmed();
        }
    }
    if (!refused.isEmpty())
        message(kNotPrinted + QLatin1Char('\n') + refused.join(QLatin1Char('\n')));
    if (!pages.isEmpty())
        context().pages.showPages(this, pages, kPrintTitle.arg(plan_->month));
}

void TfrmMonthly_Run::btnExitClick()
{
    returnToMainMenu();
}

#include "billing/MonthlyRun.h"

#include "core/ThaiDate.h"
#include "data/DbError.h"
#include "data/FixCosts.h"
#include "data/MonthlyRunTable.h"

#include <QMap>

namespace MonthlyRun {

int Plan::toIssueCount() const
{
    return int(std::count_if(parts.cbegin(), parts.cend(), [](const Part& p) { return !p.issuedNumber; }));
}

Money Plan::toIssueTotal() const
{
    Money sum;
    for (const Part& p : parts)
        if (!p.issuedNumber)
            sum += p.total;
    return sum;
}

int Plan::issuedBeforeCount() const
{
    return int(parts.size()) - toIssueCount();
}

bool IsMonthText(const QString& month)
{
    return month.size() == 7 && month.at(2) == QLatin1Char('/') && IsCalendarDate(QStringLiteral("01/") + month);
}

bool DueBeforeMonth(const QString& month, const QString& dueDate)
{
    return DisplayToSortDate(dueDate) < DisplayToSortDate(QStringLiteral("01/") + month);
}

QString DueBeforeMonthText(const QString& month)
{
    return QStringLiteral("วันที่กำหนดชำระเงินต้องไม่ก่อนวันที่ 01/%1 วันแรกของเดือนที่ออกใบแจ้งหนี้").arg(month);
}

Plan Prepare(Database& db, const QString& month, const QString& dueDate)
{
    Plan plan{month, dueDate, {}, {}};
    // The fixed costs of each shop, in code order; a zero amount bills nothing.
    QMap<QString, QList<FixCost>> byShop;
    for (const FixCost& line : FixCostTable::allLines(db))
        if (line.amount != Money())
            byShop[line.cafeteriaCode] << line;
    const QHash<QPair<QString, int>, QString> issued = MonthlyRunTable::issuedInMonth(db, month);
    const QString detail = QStringLiteral("ประจำเดือน ") + month;

    for (auto it = byShop.cbegin(); it != byShop.cend(); ++it) {
        const std::optional<CafeteriaTable::Shop> shop = CafeteriaTable::findByCode(db, it.key());
        if (!shop) {
            plan.unknownShops << it.key();
            continue;
        }
        const QList<FixCost>& lines = it.value();
        // As many lines to an invoice as one may hold.
        for (int first = 0, part = 1; first < lines.size(); first += InvoiceIssue::kMaxLines, ++part) {
            // Every line as it stands: one the issue refuses (an amount beyond
            // what may be billed) fails its part, said, rather than vanish.
            InvoiceIssue::Draft draft{*shop, dueDate, {}};
            for (int k = first; k < std::min<int>(first + InvoiceIssue::kMaxLines, lines.size()); ++k)
                draft.lines.append({k - first + 1, lines.at(k).costCode, lines.at(k).costName, lines.at(k).amount, detail});
            Part p{*shop, part, draft.lines, draft.total(), std::nullopt};
            const auto before = issued.constFind({shop->code, part});
            if (before != issued.cend())
                p.issuedNumber = *before;
            plan.parts << p;
        }
    }
    return plan;
}

PartResult IssuePart(Database& db, const Plan& plan, const Part& part, const InvoiceIssue::Issuer& issuer,
                     const QString& at)
{
    if (part.issuedNumber)
        return {PartResult::Kind::IssuedBefore, *part.issuedNumber, {}};
    const InvoiceIssue::Draft draft{part.shop, plan.dueDate, part.lines};
    InvoiceIssue::Result result;
    try {
        result = InvoiceIssue::Issue(db, draft, issuer, [&](const QString& number) {
            MonthlyRunTable::record(db, plan.month, part.shop.code, part.part, number, issuer.loginUser, at);
        });
    } catch (const DbError& e) {
        // Another run of the same month wrote this part first: its record's
        // key refused ours, and our invoice rolled back.
        if (!e.isUniqueViolation())
            throw;
        const auto now = MonthlyRunTable::issuedInMonth(db, plan.month).value({part.shop.code, part.part});
        return {PartResult::Kind::IssuedBefore, now, {}};
    }
    if (result.refused != InvoiceIssue::Refusal::None)
        return {PartResult::Kind::Failed, {}, InvoiceIssue::RefusalText(result.refused)};
    if (result.yearFull)
        return {PartResult::Kind::Failed, {}, InvoiceIssue::YearFullMessage(issuer.budgetYear)};
    return {PartResult::Kind::Issued, *result.number, {}};
}

QString FailureText(const PartFailure& failure)
{
    return QStringLiteral("%1 ส่วนที่ %2: %3").arg(failure.shopCode).arg(failure.part).arg(failure.reason);
}

RunResult IssueAll(Database& db, const Plan& plan, const InvoiceIssue::Issuer& issuer, const StepDone& stepDone)
{
    RunResult run;
    run.issuedBefore = plan.issuedBeforeCount();
    const int total = plan.toIssueCount();
    int done = 0;
    bool goOn = true;
    for (qsizetype i = 0; i < plan.parts.size(); ++i) {
        const Part& part = plan.parts.at(i);
        if (part.issuedNumber)
            continue;
        if (!goOn) {
            run.stopped = true;
            break;
        }
        const PartResult r = IssuePart(db, plan, part, issuer, ServerStampText(db.serverNow()));
        switch (r.kind) {
        case PartResult::Kind::Issued:
            ++run.issued;
            run.issuedTotal += part.total;
            break;
        case PartResult::Kind::IssuedBefore:
            ++run.issuedBefore;
            break;
        case PartResult::Kind::Failed:
            run.failures.append({part.shop.code, part.part, r.reason});
            break;
        }
        ++done;
        goOn = !stepDone || stepDone({i, part, r, done, total});
    }
    return run;
}

} // namespace MonthlyRun

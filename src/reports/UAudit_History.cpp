#include "reports/UAudit_History.h"

#include "reports/ListingGrid.h"

#include "billing/AuditListing.h"
#include "billing/ListingSheet.h"
#include "core/StartupValues.h"
#include "core/ThaiDate.h"
#include "ui/Appearance.h"
#include "ui/DateMaskEdit.h"
#include "ui/EnterMovesFocus.h"
#include "ui/SheetExport.h"
#include "ui/StringGrid.h"
#include "ui/WindowMessages.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kFrom = QStringLiteral("from");
const QString kTo = QStringLiteral("to");
const QString kUser = QStringLiteral("user");
const QString kTable = QStringLiteral("table");
const QString kKey = QStringLiteral("key");

} // namespace

TfrmAudit_History::TfrmAudit_History(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, AuditListing::history().caption, parent), listing_(AuditListing::history())
{
    buildPanel();
    stackPanels({Panel1});
    onClick(btnShow, &TfrmAudit_History::btnShowClick);
    onClick(btnExport, &TfrmAudit_History::btnExportClick);
    onClick(btnExit, &TfrmAudit_History::btnExitClick);
    guarded([this] { FormCreate(); });
}

void TfrmAudit_History::buildPanel()
{
    // Names, labels and items come from the listing's description, which
    // the export reads too.
    const ListingField& from = *listing_.field(kFrom);
    const ListingField& to = *listing_.field(kTo);
    const ListingField& user = *listing_.field(kUser);
    const ListingField& table = *listing_.field(kTable);
    const ListingField& key = *listing_.field(kKey);

    Panel1 = newPanel(QStringLiteral("Panel1"));
    Label3 = newTitle(Panel1, listing_.heading);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setStyleSheet(QStringLiteral("color: purple;"));

    // Made in the order Tab visits them, so that Enter in the last field
    // moves on to "แสดงผล".
    auto* chooser = new QGroupBox(QStringLiteral("เลือก"), Panel1);
    edtBeg_date = new DateMaskEdit(chooser);
    edtBeg_date->setObjectName(from.controls.value(0));
    edtEnd_date = new DateMaskEdit(chooser);
    edtEnd_date->setObjectName(to.controls.value(0));
    for (DateMaskEdit* date : {edtBeg_date, edtEnd_date})
        date->setMaximumWidth(Appearance::scaled(90));
    edtUser = newEdit(chooser, user.controls.value(0), user.maxLength);
    edtUser->setMaximumWidth(Appearance::scaled(120));
    cmbTable = new QComboBox(chooser);
    cmbTable->setObjectName(table.controls.value(0));
    cmbTable->addItems(table.items);
    edtRow_Key = newEdit(chooser, key.controls.value(0), key.maxLength);
    edtRow_Key->setMaximumWidth(Appearance::scaled(160));
    btnShow = newButton(chooser, QStringLiteral("btnShow"), QStringLiteral("แสดงผล"));
    btnExit = newButton(chooser, QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"));
    EnterMovesFocus::install(this, {edtBeg_date, edtEnd_date, edtUser, cmbTable, edtRow_Key});

    auto* range = new QHBoxLayout;
    range->addWidget(newLabel(chooser, from.label));
    range->addWidget(edtBeg_date);
    range->addWidget(newLabel(chooser, to.label));
    range->addWidget(edtEnd_date);
    range->addSpacing(Appearance::scaled(16));
    range->addWidget(newLabel(chooser, user.label));
    range->addWidget(edtUser);
    range->addStretch();
    range->addWidget(btnExit);
    auto* which = new QHBoxLayout;
    which->addWidget(newLabel(chooser, table.label));
    which->addWidget(cmbTable);
    which->addSpacing(Appearance::scaled(16));
    which->addWidget(newLabel(chooser, key.label));
    which->addWidget(edtRow_Key);
    which->addWidget(btnShow);
    which->addStretch();
    auto* chooserLayout = new QVBoxLayout(chooser);
    chooserLayout->addLayout(range);
    chooserLayout->addLayout(which);

    auto* results = new QGroupBox(QStringLiteral("ผลที่ได้"), Panel1);
    StringGrid1 = new StringGrid(results);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->addWidget(StringGrid1);
    btnExport = newButton(Panel1, QStringLiteral("btnExport"), QStringLiteral("พิมพ์ออกทาง MS Excel"));

    auto* exportRow = new QHBoxLayout;
    exportRow->addStretch();
    exportRow->addWidget(btnExport);
    auto* layout = new QVBoxLayout(Panel1);
    layout->addWidget(Label3);
    layout->addWidget(chooser);
    layout->addWidget(results, 1);
    layout->addLayout(exportRow);
}

void TfrmAudit_History::FormCreate()
{
    const DateRange month = MonthRangeOf(context().startup.currentDate);
    edtBeg_date->setMaskedText(month.first);
    edtEnd_date->setMaskedText(month.last);
    edtUser->clear();
    cmbTable->setCurrentIndex(0);
    edtRow_Key->clear();
    ListingGrid::SetColumns(StringGrid1, listing_);
}

ListingValues TfrmAudit_History::values() const
{
    ListingValues v;
    v.set(kFrom, edtBeg_date->maskedText());
    v.set(kTo, edtEnd_date->maskedText());
    for (const auto& [key, edit] : {std::pair{kUser, edtUser}, std::pair{kKey, edtRow_Key}})
        if (const QString typed = edit->text().trimmed(); !typed.isEmpty())
            v.set(key, typed);
    // The first item is every table, which sets nothing.
    if (cmbTable->currentIndex() > 0)
        v.set(kTable, listing_.field(kTable)->words.value(cmbTable->currentIndex()));
    return v;
}

bool TfrmAudit_History::datesAreValid()
{
    for (DateMaskEdit* date : {edtBeg_date, edtEnd_date}) {
        if (!IsCalendarDate(date->maskedText())) {
            message(WindowMessages::DateInvalidText(date->maskedText(), WindowMessages::DateInvalid));
            focusForRetyping(date);
            return false;
        }
    }
    return true;
}

void TfrmAudit_History::btnShowClick()
{
    if (!datesAreValid())
        return;
    listed_ = std::make_shared<const ListingRows>(int(listing_.columns.size()));
    auto rows = ListingGrid::ReadAndShow(StringGrid1, listing_, context().db, values());
    if (rows->isEmpty()) {
        message(WindowMessages::NothingFound);
        return;
    }
    listed_ = rows;
}

void TfrmAudit_History::btnExportClick()
{
    // The rows last listed, as they were read; the range line shows the
    // fields as they read now, as the other listings' exports do.
    SheetExport::WriteAndOpen(this, context(), ListingSheet(listing_, values(), listed_));
}

void TfrmAudit_History::btnExitClick()
{
    returnToMainMenu();
}

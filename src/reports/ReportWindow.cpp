#include "reports/ReportWindow.h"

#include "reports/ListingGrid.h"

#include "billing/PeriodListings.h"
#include "core/StartupValues.h"
#include "core/ThaiDate.h"
#include "data/CostTypes.h"
#include "print/PageViewer.h"
#include "ui/Appearance.h"
#include "ui/DateMaskEdit.h"
#include "ui/EnterMovesFocus.h"
#include "ui/StringGrid.h"
#include "ui/WindowMessages.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ReportWindow::ReportWindow(WorkContext& context, const ListingDescription& listing, QWidget* parent)
    : WorkingWindow(context, listing.caption, parent), listing_(listing)
{
    QFrame* panel = newPanel(QStringLiteral("Panel1"));
    Label3 = newTitle(panel, listing.heading);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setStyleSheet(QStringLiteral("color: purple;"));

    // Controls are made in the order Tab visits them: the range's fields,
    // "แสดงผล", the grid and the export, and only then the groups below the
    // range, so that Enter in the last date moves on to "แสดงผล".
    const auto inRange = [](const ListingField& f) {
        return f.kind == ListingField::Kind::Date || f.kind == ListingField::Kind::Code;
    };
    auto* chooser = new QGroupBox(QStringLiteral("เลือก"), panel);
    auto* range = new QHBoxLayout;
    QHBoxLayout* groups = nullptr;
    for (const ListingField& field : listing.fields)
        if (inRange(field))
            buildField(field, chooser, range, groups);
    btnSelect = newButton(chooser, QStringLiteral("btnSelect"), QStringLiteral("แสดงผล"));
    btnExit = newButton(chooser, QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"));
    range->addWidget(btnSelect);
    range->addStretch();
    range->addWidget(btnExit);
    auto* chooserLayout = new QVBoxLayout(chooser);
    chooserLayout->addLayout(range);

    auto* results = new QGroupBox(QStringLiteral("ผลที่ได้"), panel);
    StringGrid1 = new StringGrid(results);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->addWidget(StringGrid1);
    BitBtn1 = newButton(panel, QStringLiteral("BitBtn1"), QStringLiteral("พิมพ์ออกทาง MS Excel"));
    if (listing.action)
        actionButton_ = newButton(panel, listing.action->objectName, listing.action->caption);

    for (const ListingField& field : listing.fields)
        if (!inRange(field))
            buildField(field, chooser, range, groups);
    if (groups)
        chooserLayout->addLayout(groups);

    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(Label3);
    layout->addWidget(chooser);
    layout->addWidget(results, 1);
    auto* exportRow = new QHBoxLayout;
    exportRow->addStretch();
    if (actionButton_)
        exportRow->addWidget(actionButton_);
    exportRow->addWidget(BitBtn1);
    layout->addLayout(exportRow);
    stackPanels({panel});

    onClick(btnSelect, &ReportWindow::btnSelectClick);
    onClick(BitBtn1, &ReportWindow::BitBtn1Click);
    onClick(btnExit, &ReportWindow::btnExitClick);
    if (actionButton_)
        onClick(actionButton_, &ReportWindow::actionClick);
    guarded([this] { FormCreate(); });
}

void ReportWindow::buildField(const ListingField& field, QWidget* parent, QHBoxLayout* range, QHBoxLayout*& groups)
{
    FieldControls f;
    f.field = &field;
    switch (field.kind) {
    case ListingField::Kind::Date:
    case ListingField::Kind::Code: {
        QWidget* edit = nullptr;
        if (field.kind == ListingField::Kind::Date) {
            f.date = new DateMaskEdit(parent);
            f.date->setObjectName(field.controls.value(0));
            f.date->setMaximumWidth(Appearance::scaled(90));
            edit = f.date;
        } else {
            f.code = newEdit(parent, field.controls.value(0), field.maxLength);
            // As wide as the longest code, with room for the cursor, rather
            // than the rest of the row.
            if (field.maxLength > 0)
                f.code->setMaximumWidth(
                    f.code->fontMetrics().horizontalAdvance(QString(field.maxLength + 3, u'0')));
            edit = f.code;
        }
        if (!field.label.isEmpty())
            range->addWidget(newLabel(parent, field.label));
        range->addWidget(edit);
        // Enter moves on as Tab does: to the next field, then to "แสดงผล".
        EnterMovesFocus::install(this, {edit});
        break;
    }
    case ListingField::Kind::CostType: {
        auto* box = new QGroupBox(field.label, parent);
        f.all = newRadio(box, field.controls.value(0), field.items.value(0));
        f.one = newRadio(box, field.controls.value(1), field.items.value(1));
        f.costTypes = newCombo(box, field.controls.value(2), 0);
        auto* boxLayout = new QHBoxLayout(box);
        boxLayout->addWidget(f.all);
        boxLayout->addWidget(f.one);
        boxLayout->addWidget(f.costTypes, 1);
        QComboBox* combo = f.costTypes;
        connect(f.all, &QAbstractButton::clicked, combo, [combo] { combo->setEnabled(false); });
        connect(f.one, &QAbstractButton::clicked, combo, [combo] { combo->setEnabled(true); });
        if (!groups)
            groups = new QHBoxLayout;
        groups->addWidget(box, 2);
        break;
    }
    case ListingField::Kind::Choice: {
        auto* box = new QGroupBox(field.label, parent);
        box->setObjectName(field.controls.value(0));
        f.choice = new QButtonGroup(box);
        auto* boxLayout = new QGridLayout(box);
        for (int i = 0; i < field.items.size(); ++i) {
            QRadioButton* item =
                newRadio(box, QStringLiteral("%1Item%2").arg(field.controls.value(0)).arg(i), field.items.at(i));
            f.choice->addButton(item, i);
            boxLayout->addWidget(item, 0, i); // side by side
        }
        if (!groups)
            groups = new QHBoxLayout;
        groups->addWidget(box, 1);
        break;
    }
    }
    fields_.append(f);
}

void ReportWindow::FormCreate()
{
    // The cost types are read last: a failing read leaves the other fields set.
    for (const FieldControls& f : fields_)
        if (!f.costTypes)
            setStart(f);
    for (const FieldControls& f : fields_)
        if (f.costTypes)
            setStart(f);
}

void ReportWindow::setStart(const FieldControls& f)
{
    if (f.date) {
        const QString today = context().startup.currentDate;
        const DateRange month = MonthRangeOf(today);
        switch (f.field->start) {
        case ListingField::Start::FirstOfMonth: f.date->setMaskedText(month.first); break;
        case ListingField::Start::LastOfMonth: f.date->setMaskedText(month.last); break;
        case ListingField::Start::Today: f.date->setMaskedText(today); break;
        }
    } else if (f.code) {
        f.code->clear();
    } else if (f.costTypes) {
        const QList<CostType> types = CostTypeTable::listByCode(context().db);
        for (const CostType& t : types)
            f.costTypes->addItem(t.code + QStringLiteral("  ") + t.name);
        f.costTypes->setEditText(types.isEmpty() ? QString() : types.first().code + QStringLiteral("  ") + types.first().name);
        f.all->setChecked(true);
        f.costTypes->setEnabled(false);
    } else if (f.choice) {
        if (QAbstractButton* first = f.choice->button(0))
            first->setChecked(true);
    }
}

ListingValues ReportWindow::values() const
{
    ListingValues v;
    for (const FieldControls& f : fields_) {
        const QString& key = f.field->key;
        if (f.date) {
            v.set(key, f.date->maskedText());
        } else if (f.code) {
            if (const QString code = f.code->text().trimmed(); !code.isEmpty())
                v.set(key, code);
        } else if (f.costTypes) {
            // One cost type even when the combo box's text was erased: then
            // no line matches, as the user asked.
            if (f.one->isChecked())
                v.set(key, PeriodListings::CostCodeOfEntry(f.costTypes->currentText()));
        } else if (f.choice) {
            v.set(key, f.field->words.value(std::max(f.choice->checkedId(), 0)));
        }
    }
    return v;
}


bool ReportWindow::datesAreValid()
{
    // Ranges are compared as yyyymmdd text: an impossible day or a
    // Christian-era year would quietly select the wrong invoices or none.
    for (const FieldControls& f : fields_) {
        if (f.date && !IsCalendarDate(f.date->maskedText())) {
            message(WindowMessages::DateInvalidText(f.date->maskedText(), WindowMessages::DateInvalid));
            focusForRetyping(f.date);
            return false;
        }
    }
    return true;
}

void ReportWindow::btnSelectClick()
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

bool ReportWindow::showFor(const QHash<QString, QString>& given)
{
    for (const FieldControls& f : fields_) {
        const auto value = given.constFind(f.field->key);
        if (value == given.cend())
            continue;
        if (f.date)
            f.date->setMaskedText(*value);
        else if (f.code)
            f.code->setText(*value);
    }
    guarded([this] { btnSelectClick(); });
    return true;
}

void ReportWindow::btnExitClick()
{
    returnToMainMenu();
}

void ReportWindow::actionClick()
{
    if (!datesAreValid())
        return;
    const ListingAction& action = *listing_.action;
    const QList<Page> pages = action.pages(context().db, values(), context().texts);
    if (pages.isEmpty()) {
        message(action.nothingShown);
        return;
    }
    context().pages.showPages(this, pages, action.title);
}

#include "ui/ShopBlock.h"

#include "ui/Appearance.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// Shown for reading: no length limit, which would cut what the register
// holds.
QLineEdit* shownEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    Appearance::showForReading(edit);
    return edit;
}

QComboBox* shownCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    Appearance::showForReading(combo);
    return combo;
}

using Shop = CafeteriaTable::Shop;

// Each field: its control's name, what of the shop it shows, its place in
// the grid (row, column, columns spanned) and the label on its left, if any,
// with the columns the label takes.
struct Field {
    const char* name;
    QString Shop::*value;
    int row, column, span;
    const char* label;
    int labelSpan = 1;
};

const Field kFields[] = {
    {"edtCafeteria_Name3", &Shop::name, 0, 1, 3, "ชื่อร้านค้า"},
    {"edtCafeteria_Code3", &Shop::code, 0, 4, 2, nullptr},
    {"cmbSurName3", &Shop::surName, 1, 1, 1, "ผู้ประกอบการ คำนำหน้า"},
    {"edtFirstName3", &Shop::firstName, 1, 3, 1, "ชื่อ"},
    {"edtLastName3", &Shop::lastName, 1, 5, 1, "นามสกุล"},
    {"edtPerson_ID3", &Shop::personId, 2, 1, 1, "เลขที่บัตรประจำตัวประชาชน"},
    {"edtTax_ID3", &Shop::taxId, 2, 3, 1, "เลขประจำตัวผู้เสียภาษี"},
    {"edtAddress13", &Shop::address1, 3, 1, 5, "ทีอยู่"},
    {"edtAddress23", &Shop::address2, 4, 1, 5, nullptr},
};
// Shown only where asked for, below the rest.
const Field kLocation = {"cmbCafeteria_Address3", &Shop::location, 5, 2, 4, "สถานที่ตั้งร้านค้าในมหาวิทยาลัยออร์เวน", 2};

} // namespace

ShopBlock::ShopBlock(QWidget* parent, Location location) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    QList<Field> fields(std::begin(kFields), std::end(kFields));
    if (location == Location::Shown)
        fields.append(kLocation);
    for (const Field& f : fields) {
        QWidget* field = nullptr;
        if (QLatin1String(f.name).startsWith(QLatin1String("cmb"))) {
            field = shownCombo(this, f.name);
        } else {
            auto* edit = shownEdit(this, f.name);
            if (f.value == &Shop::code)
                code_ = edit;
            field = edit;
        }
        fields_.append({field, f.value});
        if (f.label)
            grid->addWidget(new QLabel(QString::fromUtf8(f.label), this), f.row, f.column - f.labelSpan, 1, f.labelSpan);
        grid->addWidget(field, f.row, f.column, 1, f.span);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
}

void ShopBlock::showShop(const CafeteriaTable::Shop& shop)
{
    for (const auto& [field, value] : std::as_const(fields_)) {
        if (auto* combo = qobject_cast<QComboBox*>(field))
            combo->setEditText(shop.*value);
        else
            static_cast<QLineEdit*>(field)->setText(shop.*value);
    }
}

void ShopBlock::clearShop()
{
    showShop({});
}

QString ShopBlock::shownCode() const
{
    return code_->text();
}

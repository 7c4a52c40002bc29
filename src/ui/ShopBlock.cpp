#include "ui/ShopBlock.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// Shown only: no length limit, which would cut what the register holds.
QLineEdit* shownEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setEnabled(false);
    return edit;
}

QComboBox* shownCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setEnabled(false);
    return combo;
}

} // namespace

ShopBlock::ShopBlock(QWidget* parent, Location location) : QWidget(parent)
{
    edtCafeteria_Name3 = shownEdit(this, "edtCafeteria_Name3");
    edtCafeteria_Code3 = shownEdit(this, "edtCafeteria_Code3");
    cmbSurName3 = shownCombo(this, "cmbSurName3");
    edtFirstName3 = shownEdit(this, "edtFirstName3");
    edtLastName3 = shownEdit(this, "edtLastName3");
    edtPerson_ID3 = shownEdit(this, "edtPerson_ID3");
    edtTax_ID3 = shownEdit(this, "edtTax_ID3");
    edtAddress13 = shownEdit(this, "edtAddress13");
    edtAddress23 = shownEdit(this, "edtAddress23");

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto label = [this](const QString& text) { return new QLabel(text, this); };
    grid->addWidget(label(QStringLiteral("ชื่อร้านค้า")), 0, 0);
    grid->addWidget(edtCafeteria_Name3, 0, 1, 1, 3);
    grid->addWidget(edtCafeteria_Code3, 0, 4, 1, 2);
    grid->addWidget(label(QStringLiteral("ผู้ประกอบการ คำนำหน้า")), 1, 0);
    grid->addWidget(cmbSurName3, 1, 1);
    grid->addWidget(label(QStringLiteral("ชื่อ")), 1, 2);
    grid->addWidget(edtFirstName3, 1, 3);
    grid->addWidget(label(QStringLiteral("นามสกุล")), 1, 4);
    grid->addWidget(edtLastName3, 1, 5);
    grid->addWidget(label(QStringLiteral("เลขที่บัตรประจำตัวประชาชน")), 2, 0);
    grid->addWidget(edtPerson_ID3, 2, 1);
    grid->addWidget(label(QStringLiteral("เลขประจำตัวผู้เสียภาษี")), 2, 2);
    grid->addWidget(edtTax_ID3, 2, 3);
    grid->addWidget(label(QStringLiteral("ทีอยู่")), 3, 0);
    grid->addWidget(edtAddress13, 3, 1, 1, 5);
    grid->addWidget(edtAddress23, 4, 1, 1, 5);
    if (location == Location::Shown) {
        cmbCafeteria_Address3 = shownCombo(this, "cmbCafeteria_Address3");
        grid->addWidget(label(QStringLiteral("สถานที่ตั้งร้านค้าในมหาวิทยาลัยออร์เวน")), 5, 0, 1, 2);
        grid->addWidget(cmbCafeteria_Address3, 5, 2, 1, 4);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
}

void ShopBlock::showShop(const CafeteriaTable::Shop& shop)
{
    edtCafeteria_Name3->setText(shop.name);
    edtCafeteria_Code3->setText(shop.code);
    cmbSurName3->setEditText(shop.surName);
    edtFirstName3->setText(shop.firstName);
    edtLastName3->setText(shop.lastName);
    edtPerson_ID3->setText(shop.personId);
    edtTax_ID3->setText(shop.taxId);
    edtAddress13->setText(shop.address1);
    edtAddress23->setText(shop.address2);
    if (cmbCafeteria_Address3)
        cmbCafeteria_Address3->setEditText(shop.location);
}

void ShopBlock::clearShop()
{
    showShop({});
}

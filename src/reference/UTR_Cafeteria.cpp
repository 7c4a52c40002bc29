#include "reference/UTR_Cafeteria.h"

#include "ui/ShopGrid.h"

#include "core/StartupValues.h"
#include "data/Cafeterias.h"
#include "ui/Appearance.h"
#include "ui/DateMaskEdit.h"
#include "ui/StringGrid.h"
#include "ui/WindowMessages.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

using CafeteriaTable::Shop;

namespace {

const QString kSaved = QStringLiteral("บันทึกข้อมูลเรียบร้อยแล้ว");
const QString kNoLocationHint = QStringLiteral("ยังไม่มีสถานที่ ผู้ดูแลระบบเพิ่มได้ที่เมนู ผู้ดูแลระบบ → สถานที่");
const char* const kLimit = "fieldLimit";

// A stored value longer than the field's typing limit is shown whole: setText
// would cut it, and saving the edit would then lose the rest.
void loadText(QLineEdit* edit, const QString& text)
{
    const int limit = edit->property(kLimit).toInt();
    edit->setMaxLength(std::max<int>(limit, int(text.size())));
    edit->setText(text);
}

void loadText(QComboBox* combo, const QString& text)
{
    loadText(combo->lineEdit(), text);
}

// Back to an empty field with its own typing limit.
void clearText(QLineEdit* edit)
{
    edit->setMaxLength(edit->property(kLimit).toInt());
    edit->clear();
}

void clearText(QComboBox* combo)
{
    clearText(combo->lineEdit());
}

} // namespace

TfrmTR_Cafeteria::TfrmTR_Cafeteria(WorkContext& context, QWidget* parent)
    : RegisterWindow(context, QStringLiteral("frmTR_Cafeteria"),
                     {.title = QStringLiteral("ข้อมูลร้านค้า / ผู้ประกอบการร้านค้า"),
                      .first = {QStringLiteral("ชื่อร้าน"), QStringLiteral("edtCafeteria_Name"), ShopGrid::kShopNameLength},
                      .second = {QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("edtFirstName"), ShopGrid::kFirstNameLength}},
                     parent)
{
    buildHomeAndSearchPanels();
    buildPanel3();
    // Remember each entry field's own limit; loading may widen it for a row.
    for (QLineEdit* edit : {edtPerson_ID3, edtTax_ID3, cmbSurName3->lineEdit(), edtFirstName3, edtLastName3,
                            edtPer_Age3, edtPer_nationality3, edtPer_CherChart3, edtPer_religion3, edtAddress13,
                            edtAddress23, edtCafeteria_Name3, edtCafeteria_Size3, cmbCafeteria_Address3->lineEdit(),
                            edtPromise_No3, edtTime_Year3, edtTime_Month3, edtTime_Date3, edtCafeteria_Code3})
        edit->setProperty(kLimit, edit->maxLength());
    finishPanels();
    installEnterMoves();
    guarded([this] { FormCreate(); });
}

int TfrmTR_Cafeteria::RadioGroup1ItemIndex() const
{
    return sexItems_->checkedId();
}

void TfrmTR_Cafeteria::setRadioGroup1ItemIndex(int index)
{
    if (QAbstractButton* item = sexItems_->button(index)) {
        item->setChecked(true);
        return;
    }
    // No such item: neither is checked.
    sexItems_->setExclusive(false);
    for (QAbstractButton* item : sexItems_->buttons())
        item->setChecked(false);
    sexItems_->setExclusive(true);
}

void TfrmTR_Cafeteria::FormCreate()
{
    RegisterWindow::FormCreate();

    cmbSurName3->clear();
    cmbSurName3->addItems({QStringLiteral("นาย"), QStringLiteral("นาง"), QStringLiteral("นางสาว")});
    cmbSurName3->setCurrentIndex(-1);
    cmbSurName3->clearEditText();

    const QStringList places = CafeteriaTable::places(context().db);
    cmbCafeteria_Address3->addItems(places);
    cmbCafeteria_Address3->setCurrentIndex(-1);
    cmbCafeteria_Address3->clearEditText();
    // With nothing to choose from, the clerk is told where locations come from.
    if (places.isEmpty()) {
        QLineEdit* field = cmbCafeteria_Address3->lineEdit();
        field->setPlaceholderText(kNoLocationHint);
        const int room = field->fontMetrics().horizontalAdvance(kNoLocationHint) + Appearance::scaled(40);
        cmbCafeteria_Address3->setMinimumWidth(std::max(cmbCafeteria_Address3->minimumWidth(), room));
    }
}

void TfrmTR_Cafeteria::resetResults()
{
    ShopGrid::reset(StringGrid1);
}

void TfrmTR_Cafeteria::btnSearch2Click()
{
    const bool byShopName = RadioButton1->isChecked();
    if (!ShopGrid::search(context().db, StringGrid1, byShopName, (byShopName ? firstSearch_ : secondSearch_)->text()))
        message(WindowMessages::NothingFound);
}

void TfrmTR_Cafeteria::btnEdit2Click()
{
    const std::optional<Shop> shop =
        CafeteriaTable::findByCode(context().db, StringGrid1->currentCell(ShopGrid::CodeColumn));
    if (!shop) {
        message(WindowMessages::ListedRowGone);
        return;
    }
    showShop(*shop);
    Panel3->show();
}

void TfrmTR_Cafeteria::btnSave3Click()
{
    if (!confirm(WindowMessages::ConfirmSave))
        return;
    const Shop shop = shopFromControls();
    if (mode_ == AddMode) {
        const QString& year = context().startup.budgetYear;
        // The code is drawn, the counter advanced and the shop written in one
        // transaction: a failure leaves the counter as it was.
        if (!CafeteriaTable::registerShop(context().db, year, shop)) {
            message(QStringLiteral("เลขรหัสร้านค้าของปีงบประมาณ %1 ครบ %2 ร้านแล้ว "
                                   "ไม่สามารถเพิ่มร้านค้าใหม่ได้ กรุณาติดต่อผู้ดูแลระบบ")
                        .arg(year)
                        .arg(CafeteriaTable::kLastRunNo));
            return;
        }
    } else {
        CafeteriaTable::updateShop(context().db, shop);
    }
    message(kSaved);
    Panel3->hide();
}

Shop TfrmTR_Cafeteria::shopFromControls() const
{
    Shop s;
    s.code = edtCafeteria_Code3->text();
    s.personId = edtPerson_ID3->text();
    s.taxId = edtTax_ID3->text();
    s.surName = cmbSurName3->currentText();
    s.firstName = edtFirstName3->text();
    s.lastName = edtLastName3->text();
    s.age = edtPer_Age3->text();
    s.sexIndex = RadioGroup1ItemIndex();
    s.nationality = edtPer_nationality3->text();
    s.cherChart = edtPer_CherChart3->text();
    s.religion = edtPer_religion3->text();
    s.address1 = edtAddress13->text();
    s.address2 = edtAddress23->text();
    s.name = edtCafeteria_Name3->text();
    s.size = edtCafeteria_Size3->text();
    s.location = cmbCafeteria_Address3->currentText();
    s.promiseNo = edtPromise_No3->text();
    s.timeYear = edtTime_Year3->text();
    s.timeMonth = edtTime_Month3->text();
    s.timeDate = edtTime_Date3->text();
    s.begPromiseDate = edtBeg_Promise_date3->maskedText();
    s.endPromiseDate = edtEnd_Promise_date3->maskedText();
    return s;
}

void TfrmTR_Cafeteria::showShop(const Shop& s)
{
    loadText(edtCafeteria_Code3, s.code);
    loadText(edtPerson_ID3, s.personId);
    loadText(edtTax_ID3, s.taxId);
    loadText(cmbSurName3, s.surName);
    loadText(edtFirstName3, s.firstName);
    loadText(edtLastName3, s.lastName);
    loadText(edtPer_Age3, s.age);
    setRadioGroup1ItemIndex(s.sexIndex);
    loadText(edtPer_nationality3, s.nationality);
    loadText(edtPer_CherChart3, s.cherChart);
    loadText(edtPer_religion3, s.religion);
    loadText(edtAddress13, s.address1);
    loadText(edtAddress23, s.address2);
    loadText(edtCafeteria_Name3, s.name);
    loadText(edtCafeteria_Size3, s.size);
    loadText(cmbCafeteria_Address3, s.location);
    loadText(edtPromise_No3, s.promiseNo);
    loadText(edtTime_Year3, s.timeYear);
    loadText(edtTime_Month3, s.timeMonth);
    loadText(edtTime_Date3, s.timeDate);
    edtBeg_Promise_date3->setMaskedText(s.begPromiseDate);
    edtEnd_Promise_date3->setMaskedText(s.endPromiseDate);
}

void TfrmTR_Cafeteria::startNewEntry()
{
    for (QLineEdit* edit : {edtCafeteria_Code3, edtPerson_ID3, edtTax_ID3, edtFirstName3, edtLastName3, edtPer_Age3,
                            edtPer_nationality3, edtPer_CherChart3, edtPer_religion3, edtAddress13, edtAddress23,
                            edtCafeteria_Name3, edtCafeteria_Size3, edtPromise_No3, edtTime_Year3, edtTime_Month3,
                            edtTime_Date3})
        clearText(edit);
    clearText(cmbSurName3);
    clearText(cmbCafeteria_Address3);
    edtBeg_Promise_date3->clearDate();
    edtEnd_Promise_date3->clearDate();
    setRadioGroup1ItemIndex(0);
}

#pragma once

#include "data/Cafeterias.h"

#include <QWidget>

class QComboBox;
class QLineEdit;

// The shop's particulars shown read-only above the work on one shop (fixed
// costs, cost entry, payment date): name and code, the operator's title,
// first and last name, ID and tax numbers, the two address lines and, where
// asked for, the shop's location on the premises.
class ShopBlock : public QWidget {
    Q_OBJECT
public:
    enum class Location { Hidden, Shown };
    explicit ShopBlock(QWidget* parent, Location location = Location::Hidden);

    void showShop(const CafeteriaTable::Shop& shop);
    void clearShop();

    QLineEdit* edtCafeteria_Name3 = nullptr;
    QLineEdit* edtCafeteria_Code3 = nullptr;
    QComboBox* cmbSurName3 = nullptr;
    QLineEdit* edtFirstName3 = nullptr;
    QLineEdit* edtLastName3 = nullptr;
    QLineEdit* edtPerson_ID3 = nullptr;
    QLineEdit* edtTax_ID3 = nullptr;
    QLineEdit* edtAddress13 = nullptr;
    QLineEdit* edtAddress23 = nullptr;
    QComboBox* cmbCafeteria_Address3 = nullptr;  // null unless the location is shown
};

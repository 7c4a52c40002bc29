#pragma once

#include "data/Cafeterias.h"

#include <QList>
#include <QWidget>
#include <utility>

class QLineEdit;

// The shop's particulars shown for reading above the work on one shop (fixed
// costs, cost entry, payment date), in fields that can be read and copied
// but not typed into: name and code, the operator's title,
// first and last name, ID and tax numbers, the two address lines and, where
// asked for, the shop's location on the premises.
class ShopBlock : public QWidget {
    Q_OBJECT
public:
    enum class Location { Hidden, Shown };
    explicit ShopBlock(QWidget* parent, Location location = Location::Hidden);

    void showShop(const CafeteriaTable::Shop& shop);
    void clearShop();
    // The code of the shop shown; empty when none is.
    QString shownCode() const;

private:
    // Each field with what of the shop it shows; the fields are named after
    // the form's controls (edtCafeteria_Name3, cmbSurName3, ...).
    QList<std::pair<QWidget*, QString CafeteriaTable::Shop::*>> fields_;
    QLineEdit* code_ = nullptr;
};

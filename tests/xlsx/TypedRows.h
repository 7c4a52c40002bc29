#pragma once

// A listing's typed rows written as the texts its grid shows, for checks of
// its sheet: each text read by its column's kind, the row's kind by what it
// holds (a label "รวม…" in column D is a total, a first column left empty
// with a text beside it a heading).

#include "billing/ListingDescription.h"

#include <QStringList>

#include <memory>

namespace typedrows {

inline std::shared_ptr<const ListingRows> read(const ListingDescription& listing, const QList<QStringList>& texts)
{
    auto rows = std::make_shared<ListingRows>(int(listing.columns.size()));
    for (const QStringList& row : texts) {
        const QString label = row.value(3);
        RowKind kind = RowKind::Line;
        if (label == QLatin1String("รวม"))
            kind = RowKind::Subtotal;
        else if (label.startsWith(QLatin1String("รวมทั้งสิ้น")))
            kind = RowKind::Total;
        else if (row.value(0).isEmpty() && !row.value(1).isEmpty())
            kind = RowKind::Heading;
        rows->addRow(kind);
        for (int c = 0; c < row.size() && c < listing.columns.size(); ++c) {
            const QString& text = row[c];
            if (text.isEmpty())
                continue;
            const ValueKind own = listing.columns[c].kind;
            // Headings and totals hold labels; a total's sum is money.
            switch (kind == RowKind::Line || own == ValueKind::Money ? own : ValueKind::Text) {
            case ValueKind::Integer:
                rows->setInteger(c, text.toLongLong());
                break;
            case ValueKind::Money:
                rows->setMoney(c, ParseTypedAmount(text).amount.value());
                break;
            case ValueKind::Date:
                rows->setDate(c, text);
                break;
            case ValueKind::Blank:
            case ValueKind::Text:
                rows->setText(c, text);
                break;
            }
        }
    }
    return rows;
}

} // namespace typedrows

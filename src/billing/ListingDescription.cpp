#include "billing/ListingDescription.h"

const ListingField* ListingDescription::field(const QString& key) const
{
    for (const ListingField& f : fields)
        if (f.key == key)
            return &f;
    return nullptr;
}

QString ListingDescription::rangeLine(const ListingValues& values) const
{
    QString line;
    for (const ListingField& f : fields)
        if (!f.sheetLabel.isEmpty() && values.has(f.key))
            line += f.sheetLabel + values.value(f.key);
    return line;
}

#include "core/OverdueAge.h"

int OverdueAgeBracket(int daysOverdue)
{
    if (daysOverdue <= 30)
        return 0;
    if (daysOverdue <= 60)
        return 1;
    if (daysOverdue <= 90)
        return 2;
    return 3;
}

const std::array<QString, 4>& OverdueAgeLabels()
{
    static const std::array<QString, 4> labels = {QStringLiteral("1–30 วัน"), QStringLiteral("31–60 วัน"),
                                                  QStringLiteral("61–90 วัน"), QStringLiteral("เกิน 90 วัน")};
    return labels;
}

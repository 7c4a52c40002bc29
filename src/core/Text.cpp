#include "core/Text.h"

QString StripCommas(const QString& text)
{
    QString result = text;
    result.remove(QLatin1Char(','));
    return result.isEmpty() ? QStringLiteral("0") : result;
}

QString TrimLeftSpaces(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

QString TrimRightSpaces(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString TrimSpaces(const QString& text)
{
    return TrimLeftSpaces(TrimRightSpaces(text));
}

QString CodeOfEntry(const QString& entry, int codeLength)
{
    return TrimSpaces(TrimLeftSpaces(entry).left(codeLength));
}

QString RightChars(const QString& text, int n)
{
    if (n <= 0)
        return {};
    return text.size() <= n ? text : text.right(n);
}

QString FileNameOf(const QString& title)
{
    QString name = title.trimmed();
    for (QChar& c : name)
        if (QStringView(u"/\\:*?\"<>|").contains(c))
            c = u'-';
    return name;
}

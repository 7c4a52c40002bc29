#include "print/AccountLetter.h"

#include "core/ThaiDate.h"
#include "print/PageFonts.h"

namespace {

// Positions are millimetres from the top-left corner of the 190 x 277 mm band
// inside 10 mm margins.
constexpr qreal kMargin = 10.0;
constexpr qreal kBandRight = 186.5; // inner edge of the letter's boxes
constexpr qreal kPen = 0.26;

// Texts are sized to their content; their boxes reach to the edge of the
// letter's frame, or to the next item on the same line, and are one line of
// the font high.
qreal lineHeight(qreal pointSize)
{
    return pointSize >= 18 ? 8.2 : pointSize >= 16 ? 7.2 : 6.3;
}

class Letter {
public:
    explicit Letter(Page& page) : page_(page) {}

    PageItem& text(qreal top, qreal left, const QString& text, const TextStyle& style, qreal right = kBandRight)
    {
        return page_.addText(box(top, left, right - left, lineHeight(style.pointSize)), text, style,
                             Qt::AlignLeft | Qt::AlignVCenter);
    }
    PageItem& field(const QString& name, qreal top, qreal left, const QString& text, const TextStyle& style,
                    qreal right = kBandRight)
    {
        return page_.addField(name, box(top, left, right - left, lineHeight(style.pointSize)), text, style);
    }
    void rect(qreal top, qreal left, qreal w, qreal h) { page_.addRect(box(top, left, w, h), kPen); }
    void foldMark(qreal top) { page_.addLine({kMargin, kMargin + top}, {kMargin + 4.5, kMargin + top}, kPen); }
    static QRectF box(qreal top, qreal left, qreal w, qreal h) { return QRectF(kMargin + left, kMargin + top, w, h); }

private:
    Page& page_;
};

Page letterPage(const LetterAccount& account, const QString& dateLine)
{
    const QString fullName = account.firstName + QStringLiteral("  ") + account.lastName;
    Page page;
    page.personalData = true;  // the account's password
    Letter l(page);

    l.rect(1, 1, 186, 82);
    l.field(QStringLiteral("ID"), 2, 144, QStringLiteral("ลำดับ  ") + QString::number(account.id), ThaiStyle(14, true));
    l.text(4, 18, QStringLiteral("กองคลัง"), ThaiStyle(16, true), 76);
    l.text(9, 77, QStringLiteral("ระบบสวัสดิการพนักงานส่วนงาน"), ThaiStyle(18, true, true), 143);
    l.text(14, 4, QStringLiteral("สำนักงานอธิการบดี ม.ออร์วน"), ThaiStyle(16, true), 76);
    l.text(33, 58, QStringLiteral("เรียน"), ThaiStyle(16), 76);
    l.field(QStringLiteral("U_Name1"), 39, 77, QStringLiteral("คุณ") + fullName, ThaiStyle(16));
    l.field(QStringLiteral("Fact_Name"), 48, 77, account.factName, ThaiStyle(16));
    l.text(56, 77, QStringLiteral("มหาวิทยาลัยออร์เวน"), ThaiStyle(16));
    l.foldMark(89);

    l.rect(100, 1, 186, 173);
    l.field(QStringLiteral("DateLine"), 102, 146, dateLine, ThaiStyle(14));
    l.text(114, 8, QStringLiteral("เรื่อง ขอเปิดรหัสส่งงาน"), ThaiStyle(14));
    l.field(QStringLiteral("U_Name2"), 124, 8, QStringLiteral("เรียน  คุณ") + fullName, ThaiStyle(14));
    l.text(132, 8,
           QStringLiteral("               กองคลัง  มหาวิทยาลัยออร์เวน  ได้พิจารณาอนุมัติการขอเปิดรหัสส่งงานของท่าน  เพื่อใช้"),
           ThaiStyle(14), 133);
    l.text(132, 133, QStringLiteral("ระบบการบันทึกค่าใช้จ่ายร้านค้า"), ThaiStyle(14, true));
    l.text(141, 8, QStringLiteral("โดยบันทึกลงฐานข้อมูล ดังนี้"), ThaiStyle(14));

    l.rect(159, 24, 134, 38);
    l.text(162, 34, QStringLiteral("รหัสผู้ใช้ (User Name) สำหรับเข้าระบบ คือ"), ThaiStyle(16), 105);
    l.field(QStringLiteral("Username"), 162, 105, account.username, LatinStyle(16), 157);
    l.text(171, 34, QStringLiteral("รหัสผ่าน (Password) คือ"), ThaiStyle(16), 105);
    l.field(QStringLiteral("Password"), 171, 105, account.password, LatinStyle(16), 157);
    l.field(QStringLiteral("Section_Name"), 185, 75, account.sectionName, ThaiStyle(18, true), 157);

    PageItem& notice = page.addText(
        Letter::box(216, 9, 173, 15),
        QStringLiteral("                   อนึ่งโปรดอย่าให้รหัสผู้ใช้และรหัสผ่านแก่ผู้อื่น เนื่องจากหากเกิดความเสียหาย "
                       "อันเนื่องมาจากรหัสส่งงานของท่าน เจ้าของรหัสต้องรับผิดชอบ"),
        ThaiStyle(14), Qt::AlignLeft | Qt::AlignTop);
    notice.wordWrap = true;
    l.text(236, 20, QStringLiteral("จึงเรียนมาเพื่อทราบ"), ThaiStyle(14));
    l.text(258, 129, QStringLiteral("กองคลัง สนง.อธิการบดี"), ThaiStyle(14));
    return page;
}

} // namespace

QString LetterDateLine(const QString& currentDate)
{
    return QStringLiteral("วันที่ ") + LongThaiDate(currentDate);
}

QList<Page> BuildAccountLetters(const QList<LetterAccount>& accounts, const QString& currentDate)
{
    if (accounts.isEmpty())
        return {Page()};
    const QString dateLine = LetterDateLine(currentDate);
    QList<Page> pages;
    pages.reserve(accounts.size());
    for (const LetterAccount& account : accounts)
        pages.append(letterPage(account, dateLine));
    return pages;
}

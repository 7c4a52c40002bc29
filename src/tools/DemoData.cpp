#include "tools/DemoData.h"

#include "billing/InvoiceIssue.h"
#include "core/InvoiceStatus.h"
#include "core/Money.h"
#include "core/Numbers.h"
#include "core/SplitMix.h"
#include "core/ThaiDate.h"
#include "data/Cafeterias.h"
#include "data/CostTypes.h"
#include "data/Database.h"
#include "data/FixCosts.h"
#include "data/Invoices.h"
#include "data/UserTable.h"

#include <QDate>
#include <QMap>
#include <QStringList>

#include <algorithm>

// Named, not anonymous: its own Shop, CostType and Invoice would otherwise
// clash with the records of the data layer.
namespace demo {

// The demonstration covers budget year 2569 and the start of 2570: invoices
// from 01/10/2568 up to 04/12/2569, with the statuses they would have on that
// last day. Nothing depends on today's date, so every run writes the same data.
QDate firstDay() { return QDate(2025, 10, 1); }
QDate lastDay() { return QDate(2026, 12, 4); }

using Random = SplitMix;

QString display(QDate d) { return CurrentDateText(QDateTime(d, QTime(0, 0))); }
QString budgetYear(QDate d) { return BudgetYearOf(display(d)); }
QVariant nullText() { return QVariant(QMetaType::fromType<QString>()); }
QVariant textOrNull(const QString& s) { return s.isEmpty() ? nullText() : QVariant(s); }

QDate nextWorkingDay(QDate d)
{
    while (d.dayOfWeek() > 5)
        d = d.addDays(1);
    return d;
}

// The n-th working day (1 = first) of the month that starts on monthStart.
QDate workingDayOfMonth(QDate monthStart, int n)
{
    QDate d = nextWorkingDay(monthStart);
    while (--n > 0)
        d = nextWorkingDay(d.addDays(1));
    return d;
}

QString thaiMonth(QDate d)
{
    return ThaiMonthAbbreviation(d.month()) + QLatin1Char(' ') + QString::number(d.year() + 543);
}

// ---------------------------------------------------------------- reference data

const QStringList& places()
{
    static const QStringList list = {
        QStringLiteral("โรงอาหารกลาง"), QStringLiteral("โรงอาหารหอพักนักศึกษา"), QStringLiteral("อาคารเรียนรวม 1"),
        QStringLiteral("อาคารเรียนรวม 2"), QStringLiteral("อาคารหอสมุดกลาง"), QStringLiteral("ศูนย์กีฬาและสุขภาพ"),
        QStringLiteral("อาคารสำนักงานอธิการบดี"), QStringLiteral("โรงพยาบาลมหาวิทยาลัย"),
        QStringLiteral("อาคารกิจการนักศึกษา")};
    return list;
}

struct CostType {
    QString code;
    QString name;
};

const QList<CostType>& costTypes()
{
    static const QList<CostType> list = {
        {QStringLiteral("001"), QStringLiteral("ค่าเช่าพื้นที่")},
        {QStringLiteral("002"), QStringLiteral("ค่าน้ำประปา")},
        {QStringLiteral("003"), QStringLiteral("ค่าไฟฟ้า")},
        {QStringLiteral("004"), QStringLiteral("ค่าบริการส่วนกลาง")},
        {QStringLiteral("005"), QStringLiteral("ค่าเก็บขยะมูลฝอย")},
        {QStringLiteral("006"), QStringLiteral("ค่าปรับชำระเงินล่าช้า")},
        {QStringLiteral("007"), QStringLiteral("ค่าบำรุงรักษาเครื่องปรับอากาศ")},
        {QStringLiteral("008"), QStringLiteral("ค่าโทรศัพท์")},
        {QStringLiteral("009"), QStringLiteral("ค่าบริการอินเทอร์เน็ต")},
        {QStringLiteral("010"), QStringLiteral("ค่าทำความสะอาดบ่อดักไขมัน")},
        {QStringLiteral("011"), QStringLiteral("ค่าธรรมเนียมต่ออายุสัญญา")},
        {QStringLiteral("012"), QStringLiteral("ค่าใช้จ่ายอื่น ๆ")}};
    return list;
}

QString costName(const QString& code)
{
    for (const CostType& c : costTypes())
        if (c.code == code)
            return c.name;
    return QString();
}

struct FixedCost {
    QString code;
    Money amount;
};

struct Shop {
    QString code;
    QString personId;
    QString title;
    QString firstName;
    QString lastName;
    QString place;
    bool food = true;
    bool metered = true;
    QDate billedFrom;
    QDate billedUntil;
    QList<FixedCost> fixedCosts;
    CafeteriaTable::Shop record;  // as registered, for the invoices
};

struct ShopName {
    QString name;
    bool food;
};

const QList<ShopName>& shopNames()
{
    static const QList<ShopName> list = {
        {QStringLiteral("ร้านข้าวมันไก่เจ๊หมวย"), true}, {QStringLiteral("ร้านก๋วยเตี๋ยวเรือป้าแดง"), true},
        {QStringLiteral("ร้านกาแฟสดบ้านไร่"), true}, {QStringLiteral("ร้านถ่ายเอกสารพี่ต้น"), false},
        {QStringLiteral("ร้านข้าวแกงปักษ์ใต้"), true}, {QStringLiteral("ร้านส้มตำไก่ย่างแม่บุญ"), true},
        {QStringLiteral("ร้านเครื่องเขียนและอุปกรณ์การเรียน"), false}, {QStringLiteral("ร้านขนมจีนน้ำเงี้ยว"), true},
        {QStringLiteral("ร้านอาหารตามสั่งครัวคุณแม่"), true}, {QStringLiteral("ร้านข้าวขาหมูตรอกซุง"), true},
        {QStringLiteral("ร้านโจ๊กและข้าวต้มกุ๊ย"), true}, {QStringLiteral("ร้านชานมไข่มุก"), true},
        {QStringLiteral("ร้านซ่อมคอมพิวเตอร์และโทรศัพท์มือถือ"), false}, {QStringLiteral("ร้านเบเกอรี่โฮมเมด"), true},
        {QStringLiteral("ร้านผลไม้สดและน้ำผลไม้ปั่น"), true}, {QStringLiteral("ร้านสะดวกซื้อนักศึกษา"), false},
        {QStringLiteral("ร้านข้าวซอยลุงหนาน"), true}, {QStringLiteral("ร้านบะหมี่เกี๊ยวกุ้ง"), true},
        {QStringLiteral("ร้านอาหารมังสวิรัติ"), true}, {QStringLiteral("ร้านหนังสือและสื่อการเรียน"), false},
        {QStringLiteral("ร้าน Mom's Kitchen"), true}, {QStringLiteral("ร้านข้าวหมูแดงหมูกรอบ"), true},
        {QStringLiteral("ร้านไก่ทอดหาดใหญ่"), true}, {QStringLiteral("ร้านตัดผมชาย-หญิง"), false},
        {QStringLiteral("ร้านน้ำเต้าหู้ปาท่องโก๋"), true}, {QStringLiteral("ร้านซักอบรีด 100% สะอาด"), false},
        {QStringLiteral("ร้านยำแซ่บนัว"), true}, {QStringLiteral("ร้านสเต๊กนักศึกษา"), true},
        {QStringLiteral("ร้านไอศกรีมโฮมเมด"), true}, {QStringLiteral("ร้านดอกไม้และของขวัญ"), false}};
    return list;
}

// A 13-digit Thai identity number: 12 digits and their check digit.
QString identityNumber(Random& rng, QChar first)
{
    QString digits(first);
    while (digits.size() < 12)
        digits += QChar(u'0' + rng.between(0, 9));
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (digits.at(i).unicode() - u'0') * (13 - i);
    return digits + QChar(u'0' + (11 - sum % 11) % 10);
}

// Shops 0-21 were registered when budget year 2569 opened, 22-24 during that
// year, 25-29 in budget year 2570; shop 7's one-year lease ran out in 2569.
QDate contractStart(int index, Random& rng)
{
    if (index == 7)
        return QDate(2025, 7, 1);
    if (index < 22)
        return QDate(rng.between(2024, 2025), rng.between(1, 9), 1);
    static const QDate later[] = {QDate(2026, 2, 1),  QDate(2026, 5, 1),  QDate(2026, 8, 1), QDate(2026, 10, 1),
                                  QDate(2026, 10, 1), QDate(2026, 10, 1), QDate(2026, 11, 1), QDate(2026, 11, 1)};
    return later[index - 22];
}

QList<Shop> insertShops(Database& db, Random& rng)
{
    static const QStringList men = {
        QStringLiteral("สมชาย"), QStringLiteral("ประเสริฐ"), QStringLiteral("วิชัย"), QStringLiteral("สมศักดิ์"),
        QStringLiteral("ธนากร"), QStringLiteral("อนุชา"), QStringLiteral("สุรชัย"), QStringLiteral("ณัฐพล"),
        QStringLiteral("กิตติศักดิ์"), QStringLiteral("บุญเลิศ"), QStringLiteral("ชัยวัฒน์"), QStringLiteral("เอกชัย")};
    static const QStringList women = {
        QStringLiteral("สมศรี"), QStringLiteral("มาลี"), QStringLiteral("วันเพ็ญ"), QStringLiteral("สุภาพร"),
        QStringLiteral("กาญจนา"), QStringLiteral("นภาพร"), QStringLiteral("ศิริพร"), QStringLiteral("อรุณี"),
        QStringLiteral("ปราณี"), QStringLiteral("จันทร์เพ็ญ"), QStringLiteral("รัตนา"), QStringLiteral("พิมพ์ชนก")};
    static const QStringList families = {
        QStringLiteral("ศรีสุข"), QStringLiteral("ใจดี"), QStringLiteral("วงศ์สวัสดิ์"), QStringLiteral("แก้วมณี"),
        QStringLiteral("บุญมา"), QStringLiteral("ทองคำ"), QStringLiteral("สุขเจริญ"), QStringLiteral("อินทร์แก้ว"),
        QStringLiteral("ปัญญาดี"), QStringLiteral("ชัยมงคล"), QStringLiteral("คำแสง"), QStringLiteral("ศรีวิชัย"),
        QStringLiteral("กันทะวงศ์"), QStringLiteral("ยอดเมือง"), QStringLiteral("จันทร์หอม"), QStringLiteral("พรหมมา")};
    static const QStringList roads = {
        QStringLiteral("ถนนห้วยแก้ว"), QStringLiteral("ถนนนิมมานเหมินท์"), QStringLiteral("ถนนสุเทพ"),
        QStringLiteral("ถนนคันคลองชลประทาน"), QStringLiteral("ถนนเชียงใหม่-ลำพูน")};
    static const QStringList districts = {
        QStringLiteral("ตำบลสุเทพ อำเภอเมืองเชียงใหม่ จังหวัดเชียงใหม่ 50200"),
        QStringLiteral("ตำบลช้างเผือก อำเภอเมืองเชียงใหม่ จังหวัดเชียงใหม่ 50300"),
        QStringLiteral("ตำบลหนองหอย อำเภอเมืองเชียงใหม่ จังหวัดเชียงใหม่ 50000"),
        QStringLiteral("ตำบลแม่เหียะ อำเภอเมืองเชียงใหม่ จังหวัดเชียงใหม่ 50100"),
        QStringLiteral("ตำบลหนองควาย อำเภอหางดง จังหวัดเชียงใหม่ 50230"),
        QStringLiteral("ตำบลสันทรายน้อย อำเภอสันทราย จังหวัดเชียงใหม่ 50210")};
    // Fixed monthly costs besides the rent, with the amounts the office charges.
    static const QList<FixedCost> foodExtras = {
        {QStringLiteral("004"), Money::fromSatang(50000)}, {QStringLiteral("005"), Money::fromSatang(30000)},
        {QStringLiteral("007"), Money::fromSatang(42550)}, {QStringLiteral("010"), Money::fromSatang(25000)}};
    static const QList<FixedCost> otherExtras = {
        {QStringLiteral("004"), Money::fromSatang(75000)}, {QStringLiteral("007"), Money::fromSatang(35000)},
        {QStringLiteral("008"), Money::fromSatang(21400)}, {QStringLiteral("009"), Money::fromSatang(85600)}};
    static const qint64 rentPerSquareMetre[] = {15000, 17550, 20025, 12500};

    QList<Shop> shops;
    for (int i = 0; i < shopNames().size(); ++i) {
        Shop shop;
        shop.food = shopNames().at(i).food;
        shop.metered = shop.food || rng.percent(70);
        const QDate start = contractStart(i, rng);
        const QDate registered = i < 22 ? firstDay() : start;
        // Codes come from the register's own counter, as the window draws them.
        shop.code = CafeteriaTable::drawShopCode(db, budgetYear(registered)).value();

        // Names such as "ป้าแดง" or "ลุงหนาน" tell the operator's sex.
        const QString& name = shopNames().at(i).name;
        const bool female = name.contains(QStringLiteral("ป้า")) || name.contains(QStringLiteral("แม่"))
            || name.contains(QStringLiteral("เจ๊")) || (!name.contains(QStringLiteral("ลุง")) && rng.percent(55));
        const int age = rng.between(24, 63);
        shop.title = female ? (rng.percent(60) ? QStringLiteral("นาง") : QStringLiteral("นางสาว")) : QStringLiteral("นาย");
        shop.firstName = rng.pick(female ? women : men);
        shop.lastName = rng.pick(families);
        // Identity numbers begin with 3 for people registered before 1984, 1 after.
        shop.personId = identityNumber(rng, age > 42 ? u'3' : u'1');
        const QString taxId = rng.percent(85) ? shop.personId : identityNumber(rng, u'0');
        shop.place = places().at(shop.food ? rng.between(0, 3) : rng.between(2, places().size() - 1));

        const int years = i == 7 ? 1 : (start.year() == 2024 ? 3 : rng.between(2, 3));
        const QDate end = start.addYears(years).addDays(-1);
        shop.billedFrom = std::max(start, firstDay());
        shop.billedUntil = end;
        const int size = shop.food ? rng.between(9, 24) : rng.between(12, 40);
        const QString address1 = rng.percent(50)
            ? QStringLiteral("%1 หมู่ %2 %3").arg(rng.between(1, 399)).arg(rng.between(1, 12)).arg(rng.pick(roads))
            : QStringLiteral("%1/%2 ซอย %3 %4")
                  .arg(rng.between(1, 199))
                  .arg(rng.between(1, 40))
                  .arg(rng.between(1, 17))
                  .arg(rng.pick(roads));

        CafeteriaTable::Shop row;
        row.code = shop.code;
        row.personId = shop.personId;
        row.taxId = taxId;
        row.surName = shop.title;
        row.firstName = shop.firstName;
        row.lastName = shop.lastName;
        row.age = QString::number(age);
        row.sexIndex = female ? 1 : 0;
        row.nationality = QStringLiteral("ไทย");
        row.cherChart = QStringLiteral("ไทย");
        row.religion = QStringLiteral("พุทธ");
        row.address1 = address1;
        row.address2 = rng.pick(districts);
        row.name = name;
        row.size = QStringLiteral("%1 ตารางเมตร").arg(size);
        row.location = shop.place;
        row.promiseNo = QStringLiteral("สญ.%1/%2").arg(i + 1, 3, 10, QLatin1Char('0')).arg(start.year() + 543);
        row.timeYear = QString::number(years);
        row.timeMonth = QStringLiteral("0");
        row.timeDate = QStringLiteral("0");
        row.begPromiseDate = display(start);
        row.endPromiseDate = display(end);
        CafeteriaTable::insertShop(db, row);
        shop.record = row;

        shop.fixedCosts.append({QStringLiteral("001"), Money::fromSatang(size * rentPerSquareMetre[rng.between(0, 3)])});
        QList<FixedCost> extras = shop.food ? foodExtras : otherExtras;
        const int roll = rng.between(0, 99);
        const int extraCount = roll < 20 ? 0 : roll < 55 ? 1 : roll < 85 ? 2 : 3;
        for (int k = 0; k < extraCount; ++k)
            shop.fixedCosts.append(extras.takeAt(rng.between(0, int(extras.size()) - 1)));
        std::sort(shop.fixedCosts.begin(), shop.fixedCosts.end(),
                  [](const FixedCost& a, const FixedCost& b) { return a.code < b.code; });
        for (const FixedCost& f : shop.fixedCosts)
            FixCostTable::insert(db, shop.code, f.code, f.amount);
        shops.append(shop);
    }
    return shops;
}

void insertReferenceData(Database& db)
{
    for (int i = 0; i < places().size(); ++i)
        CafeteriaTable::addLocation(db, {QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')), places().at(i)});
    for (const CostType& c : costTypes())
        CostTypeTable::insert(db, {c.code, c.name});
}

// Passwords are the user name followed by the rights level; the README lists them.
void insertUsers(Database& db)
{
    const QString finance = QStringLiteral("กองคลัง สำนักงานอธิการบดี");
    UserTable::insert(db, {1, QStringLiteral("admin"), QStringLiteral("admin9"), 9, QStringLiteral("นาย"),
                        QStringLiteral("ธีรวัฒน์"), QStringLiteral("แสงทอง"), QStringLiteral("นักวิชาการคอมพิวเตอร์"),
                        QStringLiteral("053-942-180"), QStringLiteral("งานระบบสารสนเทศ"), finance,
                        QStringLiteral("ผู้ดูแลระบบ")});
    UserTable::insert(db, {2, QStringLiteral("clerk"), QStringLiteral("clerk3"), 3, QStringLiteral("นางสาว"),
                        QStringLiteral("สุภาวดี"), QStringLiteral("คำปัน"), QStringLiteral("เจ้าหน้าที่การเงินและบัญชี"),
                        QStringLiteral("053-942-181"), QStringLiteral("งานรายได้"), finance,
                        QStringLiteral("ออกใบแจ้งหนี้และบันทึกการชำระเงิน")});
    UserTable::insert(db, {3, QStringLiteral("cashier"), QStringLiteral("cashier6"), 6, QStringLiteral("นาง"),
                        QStringLiteral("วรรณา"), QStringLiteral("อินต๊ะ"), QStringLiteral("นักวิชาการเงินและบัญชี"),
                        QStringLiteral("053-942-182"), QStringLiteral("งานรับ-จ่ายเงิน"), finance,
                        QStringLiteral("บันทึกเลขที่ใบนำส่งเงิน")});
    UserTable::insert(db, {4, QStringLiteral("guest"), QStringLiteral("guest1"), 1, QStringLiteral("นาย"),
                        QStringLiteral("ปกรณ์"), QStringLiteral("ศรีบุญเรือง"), QStringLiteral("นักศึกษาฝึกงาน"),
                        QStringLiteral("053-942-189"), QStringLiteral("งานรายได้"), finance,
                        QStringLiteral("ทดลองเข้าระบบ")});
    // Above 979: kept out of the account letters.
    UserTable::insert(db, {980, QStringLiteral("system"), QStringLiteral("system980"), 9, QString(),
                        QStringLiteral("บัญชีดูแลระบบ"), QStringLiteral("CostDesk"), QStringLiteral("บัญชีสำหรับงานฐานข้อมูล"),
                        QString(), QStringLiteral("งานระบบสารสนเทศ"), finance, QStringLiteral("ผู้ดูแลระบบ")});
}

// ---------------------------------------------------------------- invoices

struct Line {
    QString code;
    Money amount;
    QString note;
};

struct Invoice {
    int shop = 0;
    QDate entry;
    QDate due;
    quint64 tieBreak = 0;
    QList<Line> lines;
    InvoiceStatus status = InvoiceStatus::Issued;
    QDate payIn;
    QDate remitted;
};

// A month's pay-ins are remitted under one voucher on the 15th of the next
// month (the Friday before when that is a weekend).
QDate remittanceDate(QDate payIn)
{
    QDate d = QDate(payIn.year(), payIn.month(), 15).addMonths(1);
    while (d.dayOfWeek() > 5)
        d = d.addDays(-1);
    return d;
}

// Most shops pay within the fortnight, some late, a few never; a few invoices
// were cancelled. What is not done by the last day stays open.
void settle(Invoice& inv, Random& rng)
{
    const int roll = rng.between(0, 99);
    if (roll < 2) {
        inv.status = InvoiceStatus::Cancelled;
        return;
    }
    inv.status = InvoiceStatus::Issued;
    if (roll < 4)
        return;
    const int delay = roll < 80 ? rng.between(1, 15) : rng.between(16, 40);
    const QDate payIn = nextWorkingDay(inv.entry.addDays(delay));
    if (payIn > lastDay())
        return;
    inv.payIn = payIn;
    const QDate remitted = remittanceDate(payIn);
    if (remitted > lastDay()) {
        inv.status = InvoiceStatus::Paid;
        return;
    }
    inv.status = InvoiceStatus::Remitted;
    inv.remitted = remitted;
}

QList<Invoice> composeInvoices(const QList<Shop>& shops, Random& rng)
{
    static const QStringList repairs = {
        QStringLiteral("ค่าซ่อมท่อน้ำทิ้ง"), QStringLiteral("ค่าเปลี่ยนหลอดไฟ"), QStringLiteral("ค่าทำกุญแจสำรอง"),
        QStringLiteral("ค่าติดตั้งปลั๊กไฟเพิ่ม"), QStringLiteral("ค่าล้างท่อระบายน้ำ")};
    QList<Invoice> invoices;
    for (int s = 0; s < shops.size(); ++s) {
        const Shop& shop = shops.at(s);
        QDate lateMonth; // the month of an invoice paid after its due date
        for (QDate month(shop.billedFrom.year(), shop.billedFrom.month(), 1);
             month <= shop.billedUntil && month <= lastDay(); month = month.addMonths(1)) {
            Invoice inv;
            inv.shop = s;
            inv.entry = workingDayOfMonth(month, rng.between(1, 4));
            if (inv.entry > lastDay())
                break;
            inv.due = inv.entry.addDays(15);
            inv.tieBreak = rng.next();
            for (const FixedCost& f : shop.fixedCosts)
                inv.lines.append({f.code, f.amount, QString()});
            if (shop.metered) {
                if (shop.food) {
                    const int units = rng.between(3, 60);
                    inv.lines.append({QStringLiteral("002"), Money::fromSatang(units * 1825),
                                      rng.percent(15) ? QStringLiteral("ใช้น้ำ %1 หน่วย").arg(units) : QString()});
                }
                const int units = rng.between(60, 900);
                inv.lines.append({QStringLiteral("003"), Money::fromSatang(units * 512),
                                  rng.percent(15) ? QStringLiteral("ใช้ไฟ %1 หน่วย").arg(units) : QString()});
            }
            if (lateMonth.isValid())
                inv.lines.append({QStringLiteral("006"), Money::fromSatang(rng.percent(70) ? 20000 : 50000),
                                  QStringLiteral("ชำระค่าเช่าเดือน %1 ล่าช้า").arg(thaiMonth(lateMonth))});
            else if (rng.percent(5))
                inv.lines.append({QStringLiteral("012"), Money::fromSatang(rng.between(3, 30) * 5000), rng.pick(repairs)});
            settle(inv, rng);
            lateMonth = inv.payIn.isValid() && inv.payIn > inv.due ? month : QDate();
            invoices.append(inv);

            // Now and then a separate bill for a repair or a lease renewal.
            if (rng.percent(8)) {
                Invoice extra;
                extra.shop = s;
                extra.entry = workingDayOfMonth(month, rng.between(5, 15));
                if (extra.entry > lastDay())
                    continue;
                extra.due = extra.entry.addDays(15);
                extra.tieBreak = rng.next();
                if (rng.percent(25))
                    extra.lines.append({QStringLiteral("011"), Money::fromSatang(100000), QStringLiteral("ต่ออายุสัญญาเช่า")});
                extra.lines.append({QStringLiteral("012"), Money::fromSatang(rng.between(3, 60) * 2500), rng.pick(repairs)});
                settle(extra, rng);
                invoices.append(extra);
            }
        }
    }
    std::sort(invoices.begin(), invoices.end(), [](const Invoice& a, const Invoice& b) {
        return a.entry != b.entry ? a.entry < b.entry : a.tieBreak < b.tieBreak;
    });
    return invoices;
}

// Voucher numbers run per budget year; the treasury issues vouchers for other
// income too, so the ones seen here skip a few numbers.
QMap<QDate, QString> voucherNumbers(const QList<Invoice>& invoices, Random& rng)
{
    QMap<QDate, QString> numbers;
    for (const Invoice& inv : invoices)
        if (inv.remitted.isValid())
            numbers.insert(inv.remitted, QString());
    QMap<QString, int> lastNumber;
    for (auto it = numbers.begin(); it != numbers.end(); ++it) {
        const QString year = budgetYear(it.key());
        const int n = lastNumber.value(year) + rng.between(1, 9);
        lastNumber[year] = n;
        it.value() = QStringLiteral("RV%1/%2").arg(year).arg(n, 4, 10, QLatin1Char('0'));
    }
    return numbers;
}

void insertInvoices(Database& db, const QList<Shop>& shops, Random& rng)
{
    const QList<Invoice> invoices = composeInvoices(shops, rng);
    const QMap<QDate, QString> vouchers = voucherNumbers(invoices, rng);
    QMap<QString, int> nextRun;
    QDate day;
    int secondsIntoDay = 0;
    for (const Invoice& inv : invoices) {
        if (inv.entry != day) {
            day = inv.entry;
            secondsIntoDay = 8 * 3600 + 30 * 60;
        }
        secondsIntoDay += rng.between(90, 840);
        const QString number = InvoiceTable::drawInvoiceNumber(db, budgetYear(inv.entry)).value();
        // Made as the cost entry window makes an invoice, then taken as far
        // as the history has it.
        InvoiceIssue::Draft draft{shops.at(inv.shop).record, display(inv.due), {}};
        int order = 0;
        for (const Line& l : inv.lines)
            draft.lines.append({++order, l.code, costName(l.code), l.amount, l.note});
        const QString user = rng.percent(85) ? QStringLiteral("clerk") : QStringLiteral("admin");
        ::Invoice row = InvoiceIssue::HeaderOf(draft, {display(inv.entry), budgetYear(inv.entry), user});
        const QString payIn = inv.payIn.isValid() ? display(inv.payIn) : QString();
        const QString rvDate = inv.remitted.isValid() ? display(inv.remitted) : QString();
        row.number = number;
        row.timeEntry = QTime(0, 0).addSecs(secondsIntoDay).toString(QStringLiteral("HH:mm:ss"));
        row.status = letter(inv.status);
        row.payInDate = payIn;
        row.payInDateNum = payIn.isEmpty() ? QString() : DisplayToSortDate(payIn);
        row.rvNo = vouchers.value(inv.remitted);
        row.rvDate = rvDate;
        row.rvDateNum = rvDate.isEmpty() ? QString() : DisplayToSortDate(rvDate);
        InvoiceTable::insert(db, row);
    }
}

} // namespace demo

void fillDemoData(Database& db)
{
    Database::Transaction tx(db);
    // Only a new database: demonstration shops and invoices must never mix with real ones.
    const Rows existing = db.select(QStringLiteral(
        "SELECT (SELECT COUNT(*) FROM T_USER) + (SELECT COUNT(*) FROM TR_Cafeteria) + "
        "(SELECT COUNT(*) FROM Tr_Cost_Type) + (SELECT COUNT(*) FROM T_PayIn_Main) AS Existing"));
    if (existing.first().integer(QStringLiteral("Existing")) > 0)
        throw DbError(QStringLiteral("the database already holds data; demonstration data goes only into a new database"));

    using namespace demo;
    Random rng(2569);
    insertReferenceData(db);
    const QList<Shop> shops = insertShops(db, rng);
    insertInvoices(db, shops, rng);
    insertUsers(db);
    tx.commit();
}

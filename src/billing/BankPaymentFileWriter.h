#pragma once

#include "billing/BankPaymentFile.h"

#include <QByteArray>
#include <QString>

// Writes a bill-payment file as the bank does: the demonstration data's
// day of payments, and the files the tests and benchmarks read back.
namespace BankPaymentFile {

enum class TextEncoding { Thai, Utf8 }; // Thai: TIS-620

// The total record that agrees with these details: payments (C) are
// credits, reversals (D) debits.
Trailer TrailerOf(const Header& header, const QList<Detail>& details);

// One record of 256 characters, without its line end. Dates are written
// with the Christian-era year, as banks write them.
QString HeaderRecord(const Header& header);
QString DetailRecord(const Detail& detail);
QString TrailerRecord(const Trailer& trailer);

// The whole file, CR LF after every record.
QByteArray Write(const Contents& contents, TextEncoding encoding = TextEncoding::Thai);

// Thai text in TIS-620; a character TIS-620 has no byte for becomes '?'.
QByteArray EncodeThai(const QString& text);

} // namespace BankPaymentFile

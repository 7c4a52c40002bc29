#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The texts and pictures of the invoice that belong to the installation
// rather than to the program: who the organisation is and where the money
// goes. Read from the [document] section of the program's settings file:
//
//   [document]
//   emblem=emblem.png            ; image file, relative to the settings file
//   address1=...                 ; the organisation's postal address, line 1
//   address2=...                 ;                                   line 2
//   payInAccount=...             ; bank, account holder and number (shop's part)
//   bankBranch=...               ; bank, branch number and code (bank's part)
//   reminderDays=15              ; days a reminder letter gives for payment
//
//   [billpayment]
//   billerId=099400016550100     ; tax number and 2-digit suffix given by the bank
//
// Every key that is missing or empty keeps its default, and an emblem file
// that cannot be read keeps the drawn emblem. Without a biller ID the slip
// carries no QR code and no barcode; a biller ID that is set but that the
// bank could not read prints none either, and problems() says so. A number
// of reminder days that is not a whole number from 1 to kMaxReminderDays
// keeps the default, and problems() says so too.
inline constexpr int kDefaultReminderDays = 15;
inline constexpr int kMaxReminderDays = 365;

struct DocumentTexts {
    QImage emblem;
    QImage scissors;
    QString addressLine1;
    QString addressLine2;
    QString payInAccountLine;
    QString bankBranchLine;
    QString billerId; // empty: no bill-payment codes
    int reminderDays = kDefaultReminderDays;
    QString reminderDaysGiven; // the setting as written when it could not be used
    QString settingsFile; // where the texts were read from; empty for the defaults

    static DocumentTexts defaults();
    static DocumentTexts load(const QString& settingsFilePath);
    // Every key load() reads, as QSettings names them ("document/address1"),
    // so that start-up can name any other key in the file as unknown.
    static QStringList settingKeys();

    // A setting that is given but wrong, one Thai message each, naming the
    // section, the key, the value as read and the file, for the person who
    // set it. Empty when every setting can be used.
    QStringList problems() const;
};

// The organisation's emblem drawn in code, for an installation without one.
QImage DefaultEmblem();
// The scissors beside the tear line.
QImage ScissorsPicture();

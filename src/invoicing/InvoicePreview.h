#pragma once

#include <QString>

class QWidget;
struct WorkContext;

// Shows the invoice with this number in the preview, read anew from the
// tables, and returns once the preview is closed: true when it was shown,
// false after the message that says why not. The cost entry and the reprint
// windows both print through here.
bool PreviewInvoice(WorkContext& context, QWidget* parent, const QString& number);

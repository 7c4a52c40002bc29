#include "invoicing/InvoicePreview.h"

#include "billing/InvoicePrint.h"
#include "print/PageViewer.h"
#include "ui/Prompter.h"
#include "ui/WorkContext.h"

bool PreviewInvoice(WorkContext& context, QWidget* parent, const QString& number)
{
    const InvoicePrint::Result result = InvoicePrint::LoadPage(context.db, number, context.texts);
    if (!result.page) {
        context.prompter.showMessage(parent, result.refusal);
        return false;
    }
    context.pages.showPages(parent, {*result.page}, QStringLiteral("ใบแจ้งหนี้ ") + number);
    return true;
}

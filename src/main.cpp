#include "app/UCostDesk.h"

#include "ui/Appearance.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CostDesk"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));
    Appearance::apply();
    TfrmCostDesk frmCostDesk;
    if (frmCostDesk.terminateRequested())
        return 1;
    frmCostDesk.show();
    return app.exec();
}

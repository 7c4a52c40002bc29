#include "app/UCostDesk.h"

#include "core/Version.h"
#include "ui/Appearance.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CostDesk"));
    QApplication::setApplicationVersion(QLatin1String(kProgramVersion));
    Appearance::apply();
    TfrmCostDesk frmCostDesk;
    if (frmCostDesk.terminateRequested())
        return 1;
    frmCostDesk.show();
    return app.exec();
}

#include "app/DailyBackupStart.h"
#include "app/UCostDesk.h"

#include "core/Version.h"
#include "ui/Appearance.h"
#include "ui/QtTranslation.h"

#include <QApplication>
#include <QtGlobal>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CostDesk"));
    QApplication::setApplicationVersion(QLatin1String(kProgramVersion));
    Appearance::apply();
    if (!QtTranslation::installThai())
        qWarning("Thai texts for the standard dialogs could not be loaded");
    TfrmCostDesk frmCostDesk;
    if (frmCostDesk.terminateRequested())
        return 1;
    frmCostDesk.show();
    StartDailyBackup(frmCostDesk);
    return app.exec();
}

#include "ui/QtTranslation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace QtTranslation {

bool installThai()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);

    const QString name = QStringLiteral("costdeskQtThai");
    if (app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly))
        return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(name);
    if (!translator->load(QString::fromLatin1(ThaiResource)) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace QtTranslation

#include "StartUp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    PrepareWebEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quernal"));
    QApplication::setOrganizationName(QStringLiteral("Brivane"));
    return RunQuernal(app, app.arguments().mid(1));
}

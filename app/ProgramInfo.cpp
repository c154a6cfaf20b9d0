#include "ProgramInfo.h"

#include "Version.h"

#include <QSysInfo>

namespace ProgramInfo {

QString productName()
{
    return QStringLiteral("Quernal");
}

QString versionText()
{
    return QString::asprintf("バージョン: %d.%d.%d.%d", QUERNAL_VERSION_MAJOR, QUERNAL_VERSION_MINOR,
                             QUERNAL_VERSION_PATCH, QUERNAL_VERSION_BUILD);
}

QString systemText()
{
    return QStringLiteral("%1%2Build %3")
        .arg(QSysInfo::prettyProductName(), QStringLiteral("\n"), QSysInfo::kernelVersion());
}

} // namespace ProgramInfo

#include "RemoveFolder.h"

#include "Prompt.h"

#include <QDir>
#include <QFileInfo>

bool RemoveFolder(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    // A second try catches files a just-ended child process still had open.
    if (QDir(path).removeRecursively() || QDir(path).removeRecursively())
        return true;
    Prompt::current().message(QStringLiteral("フォルダーが残されています"), Prompt::Kind::Error);
    return false;
}

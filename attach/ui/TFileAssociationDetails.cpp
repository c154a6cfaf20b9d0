#include "TFileAssociationDetails.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

TFileAssociationDetails::TFileAssociationDetails(int cDpi) : iconSize(iconSizeFor(cDpi)) {}

QSize TFileAssociationDetails::iconSizeFor(int cDpi)
{
    const int s = cDpi <= 120 ? 24 : cDpi < 192 ? 32 : 48;
    return QSize(s, s);
}

void TFileAssociationDetails::AddFile(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    AddExtension(suffix.isEmpty() ? QString() : u'.' + suffix);
}

void TFileAssociationDetails::AddExtension(const QString &extension)
{
    const QString e = extension.toUpper();
    if (!e.trimmed().isEmpty())
        Extensions.append(e);
}

void TFileAssociationDetails::Clear()
{
    Extensions.clear();
}

void TFileAssociationDetails::GetFileIconsAndDescriptions()
{
    Images.clear();
    Descriptions.clear();
    static const QMimeDatabase db;
    static const QFileIconProvider provider;
    for (const QString &ext : Extensions) {
        // By name only: nothing on disk is touched.
        const QMimeType t = db.mimeTypeForFile(u'*' + ext.toLower(), QMimeDatabase::MatchExtension);
        Descriptions.append(t.comment());
        QIcon icon = QIcon::fromTheme(t.iconName(), QIcon::fromTheme(t.genericIconName()));
        if (icon.isNull())
            icon = provider.icon(QFileIconProvider::File);
        Images.append(icon);
    }
}

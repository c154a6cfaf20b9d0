#pragma once
#include <QIcon>
#include <QList>
#include <QSize>
#include <QStringList>

// Icons and type descriptions of file types by extension, for the
// attachment lists. Icon k belongs to extension k.
class TFileAssociationDetails
{
public:
    explicit TFileAssociationDetails(int cDpi = 96);

    static QSize iconSizeFor(int cDpi);  // 24, 32 or 48 pixels square

    void AddFile(const QString &fileName);
    void AddExtension(const QString &extension);
    void Clear();
    void GetFileIconsAndDescriptions();

    QList<QIcon> Images;
    QStringList Extensions;     // upper case, in order of adding, duplicates kept
    QStringList Descriptions;
    QSize iconSize;
};

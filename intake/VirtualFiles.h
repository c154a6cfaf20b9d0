#pragma once
#include <QIODevice>
#include <QString>
#include <memory>

class QMimeData;

// Messages dragged out of a mail client, seen as files that exist only as a
// name and a contents stream.
class VirtualFileSource
{
public:
    virtual ~VirtualFileSource() = default;
    virtual int count() const = 0;
    virtual QString name(int i) const = 0;
    // The contents of file i; nullptr when the client gives none.
    virtual std::unique_ptr<QIODevice> contents(int i) = 0;
};

// What Linux mail clients put on a drag of a message: the message itself as
// "message/rfc822". Plain file drags (a file manager's URI lists) are not
// messages and are not offered as virtual files.
class MimeDataVirtualFiles : public VirtualFileSource
{
public:
    explicit MimeDataVirtualFiles(const QMimeData *data);
    static bool offers(const QMimeData *data);

    int count() const override;
    QString name(int i) const override;
    std::unique_ptr<QIODevice> contents(int i) override;

private:
    const QMimeData *m_data;
};

// The working copy of a dropped message: the stream's size (its low 32
// bits), rewound, copied through a buffer of at most 131072 bytes.
bool CopyVirtualFile(QIODevice &source, const QString &destination);

// A file name for a message from its subject, safe to create in one folder.
QString MessageFileNameFor(const QByteArray &message);

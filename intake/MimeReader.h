#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

typedef struct _GMimeMessage GMimeMessage;
typedef struct _GMimeObject GMimeObject;
typedef struct _GMimeHeaderList GMimeHeaderList;

// One leaf of a message, as the window lists it: an attachment or a text part.
struct MimePart
{
    bool isAttachment = false;
    QString fileName;       // decoded (RFC 2231, encoded words); settable
    QString contentType;    // "type/subtype", lower case
    QString charset;
    QString description;    // Content-Description, decoded
    QString contentId;      // without angle brackets
    GMimeObject *object = nullptr;  // owned by the reader

    // The decoded content (transfer encoding undone). A message/rfc822
    // attachment gives the whole inner message.
    QByteArray content() const;
    // Text parts: the content converted to Unicode from the part's charset.
    QString text() const;
    QStringList bodyLines() const;
    // Writes the decoded content to a file, streaming; false on failure.
    bool writeTo(const QString &path) const;
};

// Reads an Internet message from a file through GMime. The file is mapped,
// not copied: parts are read from it when asked for.
class MimeReader
{
public:
    static constexpr int kMaxDepth = 64;  // nested multiparts deeper than this are not walked

    MimeReader();
    ~MimeReader();
    MimeReader(const MimeReader &) = delete;
    MimeReader &operator=(const MimeReader &) = delete;

    bool loadFromFile(const QString &path);
    // Reads from memory (fuzzing, tests); the bytes are copied once.
    bool loadFromBytes(const QByteArray &bytes);
    void clear();
    bool isLoaded() const { return m_message != nullptr || m_plain; }

    // Header fields of the message itself, case-insensitive, unfolded, not decoded.
    QString header(const QString &name) const;
    bool hasHeader(const QString &name) const;
    int headerCount() const;
    QString headerText() const;
    QStringList headerLines() const;

    QString senderName() const;
    QString senderAddress() const;
    QString subject() const;
    QDateTime date() const;   // local time; invalid when missing or unreadable

    bool isMultipart() const;
    // A message without parts: its body, decoded, as lines.
    QStringList bodyLines() const;
    QString contentType() const;  // of the message's own body, "type/subtype"

    QList<MimePart> &parts() { return m_parts; }
    const QList<MimePart> &parts() const { return m_parts; }
    // The attachment a list caption stands for: the first attachment part whose
    // file name is the caption, or whose description + ".dat" (name rule applied) is.
    const MimePart *attachmentFor(const QString &caption) const;
    // The part an HTML body refers to as "cid:..."; nullptr when none.
    const MimePart *partByContentId(const QString &cid) const;

    static QString decodeRaw(const QByteArray &raw);

private:
    QList<GMimeHeaderList *> headerLists() const;
    void collect();
    // A file GMime cannot take as a message (an armoured OpenPGP file): the
    // lines before the first empty line are its header block, the rest its body.
    void loadPlain(const QByteArray &bytes);
    bool m_plain = false;
    QStringList m_plainHeader, m_plainBody;
    void walk(GMimeObject *obj, int depth);
    GMimeMessage *m_message = nullptr;
    QList<MimePart> m_parts;
    QByteArray m_memory;  // kept alive for a message read from bytes
};

#include "RecordedView.h"

#include "MimeReader.h"
#include "SideFile.h"

#include <QFile>

#include <QCryptographicHash>
#include <QJsonArray>

void RecordedView::clearMessageView()
{
    fields = HeaderFields();
    memo1.clear();
    memo2.clear();
    editor.clear();
    htmlShown = false;
    html.clear();
    attachments.clear();
    enabled.remove(QStringLiteral("Zoom_IncMgn"));
    enabled.remove(QStringLiteral("Zoom_DecMgn"));
    enabled.remove(QStringLiteral("MessageSave"));
}

void RecordedView::setMemos(const QString &path, int headerCount)
{
    if (!keepMemos)
        return;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    memo1 = SideFile::splitLines(QString::fromUtf8(f.readAll()));
    memo2 = headerCount < memo1.size() ? memo1.mid(headerCount) : QStringList();
}

void RecordedView::showHtml(const QString &h, double z, const MimeReader &)
{
    htmlShown = true;
    html = h;
    zoom = z;
}

void RecordedView::setActionEnabled(const char *name, bool on)
{
    if (on)
        enabled.insert(QString::fromLatin1(name));
    else
        enabled.remove(QString::fromLatin1(name));
}

void RecordedView::setStatusText(int panel, const QString &text)
{
    if (panel >= 0 && panel < 3)
        status[panel] = text;
}

QJsonObject RecordedView::toJson(const MimeReader &reader, int mDatType) const
{
    QJsonArray list;
    for (const MimePart &p : reader.parts()) {
        if (!p.isAttachment)
            continue;
        const QByteArray content = p.content();
        list.append(QJsonObject{
            {"name", p.fileName},
            {"content_type", p.contentType},
            {"size", double(content.size())},
            {"sha256", QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex())},
        });
    }
    return QJsonObject{
        {"message_id", fields.messageId},
        {"date", fields.date.isValid() ? fields.date.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) : QString()},
        {"account_key", fields.accountKey},
        {"from_name", fields.fromName},
        {"from_address", fields.fromAddress},
        {"to_name", fields.toName},
        {"to_address", fields.toAddress},
        {"subject", fields.subject},
        {"dtype", mDatType},
        {"body", editor.join(u'\n')},
        {"html", htmlShown},
        {"attachments", list},
    };
}

QString RecordedView::toText(const MimeReader &reader, int mDatType) const
{
    QString out;
    auto line = [&out](const char *label, const QString &v) { out += QString::fromUtf8(label) + v + u'\n'; };
    line("Message ID:       ", fields.messageId);
    line("Message Date:     ", fields.dateText());
    line("Account Key:      ", fields.accountKey);
    line("From Name:        ", fields.fromName);
    line("From Address:     ", fields.fromAddress);
    line("Account Name:     ", fields.toName);
    line("To Address:       ", fields.toAddress);
    line("Message Subject : ", fields.subject);
    line("Body type:        ", QString::number(mDatType));
    line("HTML shown:       ", htmlShown ? QStringLiteral("yes") : QStringLiteral("no"));
    for (const MimePart &p : reader.parts())
        if (p.isAttachment)
            line("Attachment:       ", QStringLiteral("%1 (%2)").arg(p.fileName, p.contentType));
    out += QStringLiteral("\n") + editor.join(u'\n') + u'\n';
    return out;
}

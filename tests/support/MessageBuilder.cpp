#include "MessageBuilder.h"

namespace MessageBuilder {

QByteArray part(const QByteArray &contentType, const QByteArray &body, const QByteArray &extraHeaders)
{
    return "Content-Type: " + contentType + "\r\n" + extraHeaders + "\r\n" + body;
}

QByteArray multipart(const QByteArray &subtype, const QList<QByteArray> &parts, const QByteArray &boundary,
                     const QByteArray &headers)
{
    QByteArray m = headers + "MIME-Version: 1.0\r\nContent-Type: multipart/" + subtype + "; boundary=\"" +
                   boundary + "\"\r\n\r\n";
    for (const QByteArray &p : parts)
        m += "--" + boundary + "\r\n" + p + "\r\n";
    m += "--" + boundary + "--\r\n";
    return m;
}

} // namespace MessageBuilder

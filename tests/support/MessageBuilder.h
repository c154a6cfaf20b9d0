#pragma once
#include <QByteArray>
#include <QList>

// Small MIME messages for tests, CR LF throughout.
namespace MessageBuilder {

struct Part
{
    QByteArray headers;   // without the final blank line
    QByteArray body;
};

QByteArray part(const QByteArray &contentType, const QByteArray &body, const QByteArray &extraHeaders = {});
// A multipart body with the given parts, as a whole message or as a nested part.
QByteArray multipart(const QByteArray &subtype, const QList<QByteArray> &parts, const QByteArray &boundary,
                     const QByteArray &headers = "From: a@example.jp\r\nTo: b@example.jp\r\nSubject: t\r\n");

} // namespace MessageBuilder

#pragma once
#include <QByteArray>
#include <QString>

namespace AtomicFile {
// Writes into a temporary file beside the target and renames it over the
// target, so readers and crashes only ever see the old or the new content.
bool write(const QString &path, const QByteArray &content);
}

#pragma once
#include <QString>

// Makes a new, empty message store: the database file, then the tables,
// indexes and view. The program itself never creates tables; this is for the
// installation and for `quernal-cli create-db`.
namespace StoreCreator {

// `host` empty: the file is made in-process (embedded). Returns an empty
// string on success, else the database's error text.
QString create(const QString &path, const QString &host = QString());

QStringList schemaStatements();

} // namespace StoreCreator

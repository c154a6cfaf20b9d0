#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A throw-away GnuPG home with one key without passphrase; the process's
// GNUPGHOME points at it while the object lives.
class GpgHome
{
public:
    GpgHome();
    ~GpgHome();
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }
    // ASCII-armoured encryption of `plain` to the test key.
    QByteArray encrypt(const QByteArray &plain) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_saved;
    bool m_had = false;
    bool m_ok = false;
    QString m_error;
};

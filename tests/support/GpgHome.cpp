#include "GpgHome.h"

#include <QFile>
#include <QProcess>

namespace {
QByteArray runGpg(const QStringList &args, const QByteArray &input, QString *error)
{
    QProcess p;
    p.start("gpg", QStringList{"--batch", "--yes", "--no-tty"} + args);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        if (error)
            *error = QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return p.readAllStandardOutput();
}
} // namespace

GpgHome::GpgHome()
{
    m_had = qEnvironmentVariableIsSet("GNUPGHOME");
    m_saved = qgetenv("GNUPGHOME");
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("GNUPGHOME", QFile::encodeName(m_dir.path()));
    runGpg({"--passphrase", "", "--quick-gen-key", "Quernal Test <test@quernal.invalid>", "default", "default", "never"},
           {}, &m_error);
    m_ok = !runGpg({"--list-secret-keys", "test@quernal.invalid"}, {}, &m_error).isEmpty();
}

GpgHome::~GpgHome()
{
    QProcess::execute("gpgconf", {"--kill", "all"});
    if (m_had)
        qputenv("GNUPGHOME", m_saved);
    else
        qunsetenv("GNUPGHOME");
}

QByteArray GpgHome::encrypt(const QByteArray &plain) const
{
    return runGpg({"--armor", "--trust-model", "always", "--encrypt", "-r", "test@quernal.invalid"}, plain, nullptr);
}

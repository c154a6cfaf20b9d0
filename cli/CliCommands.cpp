#include "CliCommands.h"

#include "AppSettings.h"
#include "CliPrompt.h"
#include "CliStreams.h"
#include "CliTnef.h"
#include "EmlDisplay.h"
#include "GpgRunner.h"
#include "MessageRecords.h"
#include "ParameterTable.h"
#include "MimeReader.h"
#include "RecordedView.h"
#include "IniFile.h"
#include "SearchCondition.h"
#include "SafeName.h"
#include "SemaforeLock.h"
#include "SettingsLocation.h"
#include "StoreCreator.h"
#include "TDm_Ldb.h"

#include <QDir>
#include <QDirIterator>
#include <QSet>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QTemporaryDir>
#include <QSqlQuery>

using cli::err;
using cli::out;

namespace {

const char *kUsage =
    "Usage: quernal-cli [OPTIONS] COMMAND [ARGS]\n"
    "\n"
    "Options:\n"
    "  --help            show this text\n"
    "  --settings DIR    use DIR as the settings folder\n"
    "  --db PATH         message store file (default: the settings' MailDB/DBPath)\n"
    "  --host HOST       database server; empty opens the file in-process\n"
    "                    (default: the settings' MailDB/Server)\n"
    "\n"
    "Commands:\n"
    "  settings-path     print the settings folder and settings file in use\n"
    "  create-db PATH    make a new, empty message store\n"
    "  info              print the store's target, structure version and message count\n"
    "  register FILE|FOLDER...\n"
    "                    register message files (folders: every .eml inside) without\n"
    "                    questions; a pair already stored is replaced\n"
    "  search [--from YYYY/MM/DD] [--to YYYY/MM/DD] [--subject PATTERN] [--sender PATTERN]\n"
    "         [--body LINE]... [--and] [--json]\n"
    "                    the stored messages the search dialog would list, newest first\n"
    "                    (patterns: * any run, ? one character; --from defaults to a\n"
    "                    month ago, --to to today)\n"
    "  extract FILE DIR  write every attachment of a message into DIR under safe names\n"
    "  show FILE [--json]\n"
    "                    show a message file as the window does: the eight fields,\n"
    "                    the body kind, the text body and the attachments\n"
    "  tnef-list FILE    list the attributes and MAPI properties of a TNEF stream (winmail.dat)\n";

struct Options
{
    QString settingsDir;
    std::optional<QString> db;
    std::optional<QString> host;
    QStringList args;
};

SettingsLocation location(const Options &o)
{
    return o.settingsDir.isEmpty() ? SettingsLocation::choose(SettingsLocation::programDir())
                                   : SettingsLocation::at(o.settingsDir);
}

// The store a command works on: the options, else the settings' values.
std::pair<QString, QString> storeTarget(const Options &o)
{
    IniFile ini;
    ini.load(location(o).iniFile);
    const QString host = o.host.value_or(ini.readString("MailDB", "Server", QStringLiteral("localhost")));
    const QString db = o.db.value_or(ini.readString("MailDB", "DBPath", QString()));
    return {host, db};
}

// The user's parameters (own accounts, GnuPG) as the window reads them.
AppSettings userSettings(const Options &o)
{
    AppSettings settings;
    IniFile ini;
    ini.load(location(o).iniFile);
    SettingsStore::readKeys(ini, QString(), false, settings);
    return settings;
}

int settingsPath(const Options &o)
{
    const SettingsLocation loc = location(o);
    out() << loc.folder << '\n' << loc.iniFile << '\n';
    return 0;
}

int createDb(const Options &o)
{
    if (o.args.size() != 1) {
        err() << "create-db needs one PATH\n";
        return 2;
    }
    const QString path = QFileInfo(o.args.first()).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        err() << "create-db: " << path << " already exists; nothing was changed\n";
        return 1;
    }
    const QString error = StoreCreator::create(path, o.host.value_or(QString()));
    if (!error.isEmpty()) {
        err() << "create-db: " << error << '\n';
        return 1;
    }
    out() << path << '\n';
    return 0;
}

// Opens the store for a command, refusing an embedded one another process holds.
bool openStore(const Options &o, TDm_Ldb &dm)
{
    const auto [host, db] = storeTarget(o);
    if (db.isEmpty()) {
        err() << "no message store: give --db PATH or set MailDB/DBPath\n";
        return false;
    }
    dm.ApplyConnectionSettings(host, db);
    if (dm.target().server.isEmpty() && SemaforeLock::heldByAnyone(db)) {
        err() << "the message store " << db
              << " is in use by another running Quernal (its folder's Semafore is locked); nothing was changed\n";
        return false;
    }
    if (!dm.open()) {
        err() << "cannot open the message store " << db << ": " << dm.lastError() << '\n';
        return false;
    }
    return true;
}

int show(const Options &o)
{
    QStringList args = o.args;
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (args.size() != 1) {
        err() << "show needs one FILE\n";
        return 2;
    }
    if (!QFileInfo(args.first()).isFile()) {
        err() << "show: cannot read " << args.first() << '\n';
        return 1;
    }
    AppSettings settings = userSettings(o);
    QTemporaryDir work;
    bool terminateState = true;
    GpgRunner gpg;
    RecordedView view;
    view.keepMemos = false;
    MimeReader reader;
    EmlDisplay display(view, {&settings.parameters, work.path(), &terminateState, &gpg});
    const EmlDisplay::Result r = display.show(args.first(), reader);
    if (json)
        out() << QJsonDocument(view.toJson(reader, r.mDatType)).toJson(QJsonDocument::Indented);
    else
        out() << view.toText(reader, r.mDatType);
    return 0;
}

QStringList messageFiles(const QStringList &args)
{
    QStringList files;
    for (const QString &a : args) {
        if (QFileInfo(a).isDir()) {
            QDirIterator it(a, {QStringLiteral("*.eml"), QStringLiteral("*.EML")}, QDir::Files,
                            QDirIterator::Subdirectories);
            QStringList found;
            while (it.hasNext())
                found << it.next();
            found.sort();
            files += found;
        } else {
            files << a;
        }
    }
    return files;
}

int registerFiles(const Options &o)
{
    const QStringList files = messageFiles(o.args);
    if (files.isEmpty()) {
        err() << "register needs FILE or FOLDER arguments\n";
        return 2;
    }
    TDm_Ldb dm;
    if (!openStore(o, dm))
        return 3;
    AppSettings settings = userSettings(o);
    QTemporaryDir work;
    bool terminateState = true;
    GpgRunner gpg;
    MessageRecords records = dm.records();
    int inserted = 0, replaced = 0, skipped = 0, failed = 0;
    QElapsedTimer progress;
    progress.start();
    for (int i = 0; i < files.size(); ++i) {
        const QString &f = files[i];
        if (progress.elapsed() > 2000) {
            err() << "[" << i << "/" << files.size() << "]\n";
            err().flush();
            progress.restart();
        }
        auto skip = [&](const QString &why) {
            out() << "skipped   " << f << ": " << why << '\n';
            ++skipped;
        };
        if (QFileInfo(f).suffix().toLower() != QLatin1String("eml")) {
            skip(QStringLiteral("not a mail file"));
            continue;
        }
        RecordedView view;
        view.keepMemos = false;
        MimeReader reader;
        EmlDisplay display(view, {&settings.parameters, work.path(), &terminateState, &gpg});
        const EmlDisplay::Result r = display.show(f, reader);
        if (!reader.isLoaded()) {
            skip(QStringLiteral("cannot be read"));
            continue;
        }
        const auto record = MessageRecord::fromFields(view.fields.texts(), view.editor.join(u'\n'),
                                                      r.openPgpFound ? 3 : r.mDatType, f);
        if (!record) {
            skip(QStringLiteral("no usable date"));
            continue;
        }
        const MessageRecords::Result res = records.registerMessage(*record);
        switch (res.outcome) {
        case MessageRecords::Outcome::Inserted:
            out() << "registered " << f << '\n';
            ++inserted;
            break;
        case MessageRecords::Outcome::Replaced:
            out() << "replaced  " << f << '\n';
            ++replaced;
            break;
        case MessageRecords::Outcome::Failed:
            out() << "failed    " << f << ": " << QString(res.message).replace(QLatin1String("\r\n"), QLatin1String(" ")) << '\n';
            ++failed;
            break;
        }
    }
    out() << inserted << " registered, " << replaced << " replaced, " << skipped << " skipped, " << failed
          << " failed\n";
    return failed ? 1 : 0;
}

int extract(const Options &o)
{
    if (o.args.size() != 2) {
        err() << "extract needs FILE and DIR\n";
        return 2;
    }
    const QString dir = QFileInfo(o.args[1]).absoluteFilePath();
    if (!QDir().mkpath(dir)) {
        err() << "extract: cannot make " << dir << '\n';
        return 1;
    }
    ParameterTable params;
    QTemporaryDir work;
    bool terminateState = true;
    GpgRunner gpg;
    RecordedView view;
    view.keepMemos = false;
    MimeReader reader;
    EmlDisplay(view, {&params, work.path(), &terminateState, &gpg}).show(o.args[0], reader);
    if (!reader.isLoaded()) {
        err() << "extract: cannot read " << o.args[0] << '\n';
        return 1;
    }
    int failed = 0;
    QSet<QString> used;
    for (const MimePart &p : reader.parts()) {
        if (!p.isAttachment)
            continue;
        // Two attachments of one name both arrive: the second gets a number.
        QString name = SafeFileName(p.fileName);
        for (int k = 2; used.contains(name.toLower()); ++k) {
            const QFileInfo fi(SafeFileName(p.fileName));
            name = SafeFileName(fi.completeBaseName() + QStringLiteral(" (%1)").arg(k) +
                                (fi.suffix().isEmpty() ? QString() : u'.' + fi.suffix()));
        }
        used.insert(name.toLower());
        const QString path = SafePathIn(dir, name);
        if (p.writeTo(path)) {
            out() << path << "  " << QFileInfo(path).size() << " bytes  (" << p.fileName << ")\n";
        } else {
            err() << "extract: cannot write " << path << '\n';
            ++failed;
        }
    }
    return failed ? 1 : 0;
}

int search(const Options &o)
{
    SearchInput in;
    const QDate today = QDate::currentDate();
    in.from = today.addMonths(-1);
    in.to = today;
    bool json = false;
    const QStringList &a = o.args;
    for (int i = 0; i < a.size(); ++i) {
        auto next = [&]() -> std::optional<QString> {
            if (i + 1 >= a.size())
                return std::nullopt;
            return a[++i];
        };
        const QString k = a[i];
        if (k == QLatin1String("--json")) {
            json = true;
        } else if (k == QLatin1String("--and")) {
            in.bodyAnd = true;
        } else if (k == QLatin1String("--from") || k == QLatin1String("--to")) {
            const auto v = next();
            const QDate d = v ? QDate::fromString(*v, QStringLiteral("yyyy/MM/dd")) : QDate();
            if (!d.isValid()) {
                err() << k << " needs a date YYYY/MM/DD\n";
                return 2;
            }
            (k == QLatin1String("--from") ? in.from : in.to) = d;
        } else if (k == QLatin1String("--subject") || k == QLatin1String("--sender") || k == QLatin1String("--body")) {
            const auto v = next();
            if (!v) {
                err() << k << " needs a value\n";
                return 2;
            }
            if (k == QLatin1String("--subject"))
                in.subject = *v;
            else if (k == QLatin1String("--sender"))
                in.sender = *v;
            else
                in.bodyLines << *v;
        } else {
            err() << "search: unknown argument " << k << '\n';
            return 2;
        }
    }
    const auto cond = SearchCondition::build(in);
    if (!cond) {
        err() << "search: the range is reversed (--from after --to)\n";
        return 2;
    }
    TDm_Ldb dm;
    if (!openStore(o, dm))
        return 3;
    QSqlQuery q(dm.database());
    q.prepare(QStringLiteral("SELECT MESSAGE_ID, MESSAGE_DATE, ACCOUNT_KEY, SENDER_NAME, SENDER_ADDRESS, RECIEVE_NAME, "
                             "RECIEVE_ADDRESS, MESSAGE_SUBJECT, MESSAGE_FILENAME FROM MAIL_VIEW WHERE ") +
              cond->sql + QStringLiteral(" ORDER BY MESSAGE_DATE DESC"));
    for (const QVariant &v : cond->values)
        q.addBindValue(v);
    if (!q.exec()) {
        err() << "search: " << q.lastError().text() << '\n';
        return 1;
    }
    static const char *keys[] = {"message_id",      "message_date",    "account_key",
                                 "sender_name",     "sender_address",  "recieve_name",
                                 "recieve_address", "message_subject", "message_filename"};
    QJsonArray rows;
    while (q.next()) {
        QJsonObject row;
        for (int c = 0; c < 9; ++c) {
            const QVariant v = q.value(c);
            row.insert(QString::fromLatin1(keys[c]),
                       c == 1 ? v.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) : v.toString());
        }
        if (json)
            rows.append(row);
        else
            out() << row.value("message_date").toString() << "  " << row.value("sender_name").toString() << "  "
                  << row.value("message_subject").toString() << "  " << row.value("message_id").toString() << '\n';
    }
    if (json)
        out() << QJsonDocument(rows).toJson(QJsonDocument::Indented);
    return 0;
}

int info(const Options &o)
{
    TDm_Ldb dm;
    if (!openStore(o, dm))
        return 3;
    const auto ods = dm.readOdsVersion();
    QSqlQuery q(dm.database());
    const bool counted = q.exec(QStringLiteral("SELECT COUNT(*) FROM MAIL_VIEW")) && q.next();
    out() << "database: " << dm.target().database << '\n'
          << "server: " << (dm.target().server.isEmpty() ? QStringLiteral("(in-process)") : dm.target().server)
          << '\n'
          << "structure: " << (ods ? QStringLiteral("%1.%2").arg(ods->major).arg(ods->minor) : QStringLiteral("?"))
          << '\n'
          << "messages: " << (counted ? q.value(0).toString() : QStringLiteral("?")) << '\n';
    return counted ? 0 : 1;
}

} // namespace

int RunCli(const QStringList &arguments)
{
    CliPrompt prompt;
    Prompt::install(&prompt);
    Options o;
    QString command;
    int rc = -1;
    for (int i = 0; i < arguments.size() && rc < 0; ++i) {
        const QString &a = arguments.at(i);
        auto value = [&](QString &into) {
            if (i + 1 >= arguments.size()) {
                err() << a << " needs a value\n";
                rc = 2;
                return;
            }
            into = arguments.at(++i);
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out() << kUsage;
            rc = 0;
        } else if (a == QLatin1String("--settings")) {
            value(o.settingsDir);
        } else if (a == QLatin1String("--db")) {
            QString v;
            value(v);
            o.db = v;
        } else if (a == QLatin1String("--host")) {
            QString v;
            value(v);
            o.host = v;
        } else if (command.isEmpty()) {
            command = a;
        } else {
            o.args << a;
        }
    }
    if (rc < 0) {
        // One row a command; later commands join the table.
        static const struct
        {
            const char *name;
            int (*run)(const Options &);
        } commands[] = {{"settings-path", settingsPath}, {"create-db", createDb}, {"info", info},
                        {"show", show},                   {"register", registerFiles}, {"search", search},
                        {"extract", extract},
                        {"tnef-list", [](const Options &o) { return tnefList(o.args); }}};
        for (const auto &c : commands)
            if (command == QLatin1String(c.name))
                rc = c.run(o);
        if (rc < 0) {
            err() << (command.isEmpty() ? QString() : "unknown command: " + command + "\n") << kUsage;
            rc = 2;
        }
    }
    out().flush();
    err().flush();
    Prompt::install(nullptr);
    return rc;
}

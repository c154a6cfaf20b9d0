#include "TFrmQuernal.h"

#include "Delay.h"
#include "MessageRecords.h"
#include "Prompt.h"
#include "TDBListFrm.h"
#include "TDm_Ldb.h"
#include "WorkFolders.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>

// Stored messages: registering the one on display, showing and deleting the
// one under the list's cursor.

void TFrmQuernal::DBUpdateExecute()
{
    if (!Dm_Ldb)
        return;
    setStatusText(2, QStringLiteral("DB更新中です"));
    action("DBUpdate")->setEnabled(false);
    std::array<QString, 8> edits;
    for (int i = 0; i < 8; ++i)
        edits[i] = Edit[i]->text();
    const QString stored = QFileInfo(awk_MessageFile).isFile() ? awk_MessageFile : MessageFile;
    const auto record = MessageRecord::fromFields(edits, Editor->toPlainText(), MDatType, stored);
    if (!record) {
        Prompt::current().message(QStringLiteral("'%1' は正しい日付と時刻ではありません").arg(edits[1]),
                                  Prompt::Kind::Error);
        return;
    }
    const MessageRecords::Result r = Dm_Ldb->records().registerMessage(*record);
    if (r.outcome == MessageRecords::Outcome::Failed) {
        action("DBUpdate")->setEnabled(true);
        Prompt::current().message(r.message, Prompt::Kind::Error);
        setStatusText(2, QString());
        return;
    }
    setStatusText(2, QStringLiteral("DB更新が完了しました"));
}

std::optional<QPair<QString, QDateTime>> TFrmQuernal::currentStoredRow(QString *subject, QString *sender) const
{
    if (!DBListFrm || !Dm_Ldb || !Dm_Ldb->FDTbl1().isOpen())
        return std::nullopt;
    const int row = DBListFrm->DBGrid1->currentIndex().row();
    if (row < 0)
        return std::nullopt;
    const QSqlRecord rec = Dm_Ldb->FDTbl1().model()->record(row);
    const QDateTime date = rec.value(QStringLiteral("MESSAGE_DATE")).toDateTime();
    if (!date.isValid())
        return std::nullopt;
    if (subject)
        *subject = rec.value(QStringLiteral("MESSAGE_SUBJECT")).toString();
    if (sender)
        *sender = rec.value(QStringLiteral("SENDER_NAME")).toString();
    return qMakePair(rec.value(QStringLiteral("MESSAGE_ID")).toString(), date);
}

std::optional<QString> TFrmQuernal::LoadStoredMessageFile(const QString &id, const QDateTime &date)
{
    QString error;
    const auto loaded = Dm_Ldb->records().load(id, date, WorkFolders::mailDat(MyAppDataPath), &error);
    if (!loaded) {
        Prompt::current().message(error + QStringLiteral("\r\nデータベースファイルを設定してください"),
                                  Prompt::Kind::Error);
        return std::nullopt;
    }
    return loaded->path;
}

void TFrmQuernal::DispMsgDatExecute()
{
    pmode |= 0x01;
    if (!Dm_Ldb || !Dm_Ldb->FDTbl1().isOpen())
        return;
    const auto row = currentStoredRow();
    if (!row) {
        Prompt::current().message(QStringLiteral("データベースデータError"), Prompt::Kind::Error);
        return;
    }
    if (Edit[0]->text() == row->first)
        return;
    setStatusText(2, QStringLiteral("メッセージを読込中です -- お待ちください"));
    WorkFolders::ensureMailDat(MyAppDataPath);
    const auto path = LoadStoredMessageFile(row->first, row->second);
    if (!path)
        return;
    awk_MessageFile = *path;
    const QString ext = QFileInfo(awk_MessageFile).suffix().toLower();
    if (ext == QLatin1String("eml"))
        ShowEmlMessage(awk_MessageFile);
    else if (ext == QLatin1String("msg"))
        ShowOutlookItem(awk_MessageFile);
    else
        Prompt::current().message(QStringLiteral("メールファイルではありません"), Prompt::Kind::Warning);
    // The display keeps its own hold on the file; the copies can go.
    QFile::remove(awk_MessageFile);
    if (!mwk_MessageFile.isEmpty())
        QFile::remove(mwk_MessageFile);
    action("MessageSave")->setEnabled(true);
}

void TFrmQuernal::DelMsgDatExecute()
{
    pmode |= 0x01;
    if (!Dm_Ldb || !Dm_Ldb->FDTbl1().isOpen())
        return;
    QString subject, sender;
    const auto row = currentStoredRow(&subject, &sender);
    if (!row)
        return;
    const QString question = QStringLiteral("【件名】：") + subject + QStringLiteral("\r\n【日時】：") +
                             row->second.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")) +
                             QStringLiteral("\r\n【送信者】：") + sender +
                             QStringLiteral("\r\nこのメールデータを削除しますか?");
    if (Prompt::current().question(question, false) != Prompt::Answer::Yes) {
        setStatusText(2, QStringLiteral("削除処理をキャンセルしました"));
        return;
    }
    QString error;
    if (Dm_Ldb->records().remove(row->first, row->second, &error))
        setStatusText(2, QStringLiteral("メッセージデータを削除しました"));
    else
        Prompt::current().message(error + QStringLiteral("\r\n削除できませんでした。"), Prompt::Kind::Error);
    MessageList &list = Dm_Ldb->FDTbl1();
    list.close();
    Delay(100);
    list.open();
    if (DBListFrm)
        DBListFrm->bind(list, cfg.grid);
    setListActionsEnabled(!list.isEmpty());
}

void TFrmQuernal::setListActionsEnabled(bool on)
{
    for (const char *name : {"DBSelect", "DispMsgDat", "DelMsgDat", "ExprtMsgFile", "SetListFontSize"})
        action(QString::fromLatin1(name))->setEnabled(on);
}

void TFrmQuernal::CloseMessageList()
{
    if (!Dm_Ldb || !Dm_Ldb->FDTbl1().isOpen())
        return;
    Dm_Ldb->FDTbl1().close();
    closedListState();
}

void TFrmQuernal::closedListState()
{
    pmode &= quint16(~0x10);
    action("DBConnect")->setChecked(false);
    setToolButton3Image(6);
    for (const char *name : {"DispMsgDat", "DelMsgDat", "ExprtMsgFile", "SetListFontSize"})
        action(QString::fromLatin1(name))->setEnabled(false);
    if (DBListFrm) {
        DBListFrm->unbind();
        setPageVisible(DBListFrm, false);
    }
    if (action("DBUpdate")->isEnabled())
        action("DBUpdate")->setEnabled(false);
}

void TFrmQuernal::DBGrid1DblClick()
{
    action("DBUpdate")->setEnabled(false);
    DispMsgDatExecute();
}

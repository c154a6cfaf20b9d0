#include "TFrmQuernal.h"

#include "Delay.h"
#include "EmlDisplay.h"
#include "GpgRunner.h"
#include "HeaderFields.h"
#include "HtmlView.h"
#include "MessageRecords.h"
#include "Prompt.h"
#include "TDBListFrm.h"
#include "TDm_Ldb.h"
#include "TFileAssociationDetails.h"
#include "SafeName.h"
#include "VirtualFiles.h"
#include "WorkFolders.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

// Taking messages in: the display, the open dialog, dropped messages, saving.

void TFrmQuernal::parametersFromTable()
{
    for (int r = 0; r < ValueListEditor1->rowCount(); ++r) {
        const QTableWidgetItem *k = ValueListEditor1->item(r, 0);
        const QTableWidgetItem *v = ValueListEditor1->item(r, 1);
        if (k)
            cfg.parameters.setValue(k->text(), v ? v->text() : QString());
    }
}

void TFrmQuernal::parametersToTable()
{
    for (int r = 0; r < ValueListEditor1->rowCount(); ++r)
        if (const QTableWidgetItem *k = ValueListEditor1->item(r, 0))
            if (QTableWidgetItem *v = ValueListEditor1->item(r, 1))
                v->setText(cfg.parameters.value(k->text()));
}

void TFrmQuernal::ShowEmlMessage(const QString &path)
{
    parametersFromTable();
    if (!Gpg)
        Gpg = new GpgRunner(this);
    EmlDisplay display(*this, {&cfg.parameters, WorkFolders::mailDat(MyAppDataPath), &TerminateState, Gpg});
    const EmlDisplay::Result r = display.show(path, MessageReader);
    parametersToTable();
    MDatType = r.mDatType;
    JISFlg = r.jisFlg;
    TnefFlg = r.tnefFlg;
}

void TFrmQuernal::setFields(const HeaderFields &f)
{
    const auto values = f.texts();
    for (int i = 0; i < 8; ++i)
        Edit[i]->setText(values[i]);
}

void TFrmQuernal::setMemos(const QString &path, int headerCount)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    Memo1->setPlainText(QString::fromUtf8(f.readAll()));
    // Memo2 starts headerCount lines in: a rough view of the body alone.
    QTextCursor c(Memo1->document());
    c.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, headerCount);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    Memo2->setPlainText(c.selectedText().replace(QChar::ParagraphSeparator, u'\n'));
}

void TFrmQuernal::setEditorLines(const QStringList &lines)
{
    Editor->setPlainText(lines.join(u'\n'));
}

void TFrmQuernal::clearEditor()
{
    Editor->clear();
}

void TFrmQuernal::showHtml(const QString &html, double zoom, const MimeReader &reader)
{
    setPageVisible(TabSheet4, true);
    if (!EdgeBrowser) {
        EdgeBrowser = new HtmlView(WorkFolders::webViewData(MyAppDataPath) + QStringLiteral("/EBWebView"), EdgeBrowser1);
        EdgeBrowser1->layout()->addWidget(EdgeBrowser);
    }
    EdgeBrowser->setZoomFactor(zoom);
    const MimeReader *r = &reader;
    EdgeBrowser->setHtml(html, [r](const QString &cid, QByteArray *content, QByteArray *type) {
        const MimePart *p = r->partByContentId(cid);
        if (!p)
            return false;
        *content = p->content();
        *type = p->contentType.toLatin1();
        return true;
    });
}

void TFrmQuernal::setActivePage(Page page)
{
    QWidget *sheet = page == HtmlPage ? TabSheet4 : page == AttachmentsPage1 ? TabSheet2 : TabSheet5;
    if (page != HtmlPage)
        setPageVisible(sheet, true);
    if (PageControl1->isTabVisible(pageIndex(sheet)))
        PageControl1->setCurrentWidget(sheet);
}

void TFrmQuernal::addAttachment(const QString &caption, const QString &iconExtension)
{
    if (!FFileDetails || ListView1->topLevelItemCount() == 0)
        FFileDetails = std::make_unique<TFileAssociationDetails>(CDpi);
    ListView1->setIconSize(FFileDetails->iconSize);
    FFileDetails->AddExtension(iconExtension);
    FFileDetails->GetFileIconsAndDescriptions();
    Delay(100);
    setPageVisible(TabSheet2, true);
    auto *item = new QTreeWidgetItem(ListView1, {caption});
    const int index = ListView1->topLevelItemCount() - 1;
    item->setIcon(0, FFileDetails->Images.value(index));
    item->setToolTip(0, FFileDetails->Descriptions.value(index));
}

void TFrmQuernal::setActionEnabled(const char *name, bool enabled)
{
    if (QAction *a = action(QString::fromLatin1(name)))
        a->setEnabled(enabled);
}

void TFrmQuernal::runTnefUnpack()
{
    action("DecryptTnefA1")->trigger();
}

void TFrmQuernal::ListView1SelectItem()
{
    const QTreeWidgetItem *item = ListView1->currentItem();
    if (!item || !item->isSelected())
        return;
    action("SavetoDisk")->setEnabled(true);
    const QString caption = item->text(0);
    setStatusText(2, caption);
    const QString ext = QFileInfo(caption).suffix();
    const bool encrypted = ext.contains(QLatin1String("asc"), Qt::CaseInsensitive) ||
                           caption.contains(QLatin1String("encrypted"), Qt::CaseInsensitive) ||
                           ext.contains(QLatin1String("gpg"), Qt::CaseInsensitive) ||
                           ext.contains(QLatin1String("pgp"), Qt::CaseInsensitive);
    if (encrypted) {
        action("OpenWith")->setEnabled(false);
        action("DecryptGpg")->setEnabled(true);
        action("SaveToDiskDGpg")->setEnabled(true);
    } else {
        action("OpenWith")->setEnabled(!ext.contains(QLatin1String("dat"), Qt::CaseInsensitive));
        action("DecryptGpg")->setEnabled(false);
        action("SaveToDiskDGpg")->setEnabled(false);
    }
}

void TFrmQuernal::ListView2SelectItem()
{
    const QTreeWidgetItem *item = ListView2->currentItem();
    if (!item || !item->isSelected())
        return;
    action("SavetoDisk")->setEnabled(true);
    action("SaveToDiskA2")->setEnabled(true);
    const QString ext = u'.' + QFileInfo(item->text(0)).suffix().toUpper();
    const bool blocked = ext == QLatin1String(".ASC") || ext == QLatin1String(".DAT") ||
                         ext == QLatin1String(".GPG") || ext == QLatin1String(".PGP");
    action("OpenWith")->setEnabled(!blocked);
    action("OpenWithA2")->setEnabled(!blocked);
}

QString TFrmQuernal::RegistrationQuestion(int remaining, const QString &fileName)
{
    return QStringLiteral("【ファイル名】<%1>\r\n%2\r\nこのメールデータをDB登録しますか?")
        .arg(remaining)
        .arg(QFileInfo(fileName).fileName());
}

void TFrmQuernal::AskRegistration(int remaining, const QString &fileName)
{
    if (Prompt::current().question(RegistrationQuestion(remaining, fileName), true) == Prompt::Answer::Yes)
        DBUpdateExecute();
}

void TFrmQuernal::ShowOutlookItem(const QString &path)
{
    // Outlook items are read through Outlook itself, which this system lacks.
    ClearMessageView();
    old_MessageFile = path;
}

void TFrmQuernal::MessageOpenExecute()
{
    // 1-2.
    if (action("DBBackup")->isChecked()) {
        action("DBBackup")->setChecked(false);
        setPageVisible(TabSheet7, false);
    }
    setStatusText(0, QString());
    setStatusText(2, QString());
    Editor->setAcceptRichText(false);
    ClearMessageView();
    CloseMessageList();
    // 3.
    static const QStringList filters{
        QStringLiteral("テキストファイル (*.txt)"),      QStringLiteral("E-Mailファイル(*.eml)"),
        QStringLiteral("Outlook-Msgファイル(*.msg)"), QStringLiteral("ASCファイル(*.asc)"),
        QStringLiteral("DATファイル(*.dat)"),          QStringLiteral("全てのファイル(*)")};
    // The stored index counts from 1, as the dialog it was first kept for did.
    int filter = qMax(0, cfg.mlFilterIdx - 1);
    const QStringList files = Prompt::current().openFileNames(QStringLiteral("メールを開く"), cfg.mlReadPath, filters,
                                                              &filter, true);
    if (files.isEmpty())
        return;
    // 4.
    setPageVisible(TabSheet2, false);
    setPageVisible(TabSheet5, false);
    cfg.mlFilterIdx = filter + 1;
    cfg.mlReadPath = QFileInfo(files.first()).absolutePath();
    // 5.
    const bool batch = files.size() > 1;
    int remaining = int(files.size());
    bool ask = false;
    for (int i = 0; i < files.size(); ++i) {
        if (batch && i > 0 && ask) {
            AskRegistration(remaining, MessageFile);
            --remaining;
        }
        ListView1->clear();
        ListView2->clear();
        Editor->clear();
        MessageFile = files[i];
        const QString ext = QFileInfo(MessageFile).suffix().toLower();
        if (ext == QLatin1String("eml")) {
            awk_MessageFile.clear();
            ShowEmlMessage(MessageFile);
            action("MessageSave")->setEnabled(true);
            action("DBUpdate")->setEnabled(true);
            ask = true;
        } else if (ext == QLatin1String("msg")) {
            awk_MessageFile = WorkFolders::mailDat(MyAppDataPath) + u'/' + QFileInfo(MessageFile).fileName();
            QFile::remove(awk_MessageFile);
            QFile::copy(MessageFile, awk_MessageFile);
            Delay(100);
            ShowOutlookItem(awk_MessageFile);
            action("MessageSave")->setEnabled(true);
            action("DBUpdate")->setEnabled(true);
            ask = true;
        } else {
            Prompt::current().message(QStringLiteral("メールファイルではありません"), Prompt::Kind::Warning);
            action("DBUpdate")->setEnabled(false);
            ask = false;
            --remaining;
        }
    }
    // 6.
    if (batch && ask)
        AskRegistration(remaining, MessageFile);
}

void TFrmQuernal::MessageSaveExecute()
{
    if (storedMessageMode()) {
        action("ExprtMsgFile")->trigger();
        return;
    }
    int filter = 0;
    const QString target = Prompt::current().saveFileName(QStringLiteral("メールを保存する"), cfg.mlStorePath,
                                                          QFileInfo(MessageFile).fileName(), {}, &filter);
    if (target.isEmpty())
        return;
    cfg.mlStorePath = QFileInfo(target).absolutePath();
    if (QFileInfo(MessageFile).isFile()) {
        QFile::remove(target);
        QFile::copy(MessageFile, target);
    } else if (!Memo1->toPlainText().isEmpty() && QFileInfo::exists(target)) {
        QFile f(target);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(Memo1->toPlainText().toUtf8());
    }
}

bool TFrmQuernal::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::Leave && (watched == ListView1->viewport() || watched == ListView2->viewport())) {
        ListViewMouseLeave(watched == ListView1->viewport() ? ListView1 : ListView2);
        return false;
    }
    if (watched != Panel1)
        return QMainWindow::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::DragEnter:
        DropEmptyTarget1Enter(static_cast<QDragEnterEvent *>(e));
        return true;
    case QEvent::DragMove:
        DropEmptyTarget1DragOver(static_cast<QDragMoveEvent *>(e));
        return true;
    case QEvent::DragLeave:
        DropEmptyTarget1Leave();
        return true;
    case QEvent::Drop: {
        auto *d = static_cast<QDropEvent *>(e);
        d->acceptProposedAction();
        MimeDataVirtualFiles files(d->mimeData());
        DropEmptyTarget1Drop(files);
        return true;
    }
    default:
        return QMainWindow::eventFilter(watched, e);
    }
}

void TFrmQuernal::DropEmptyTarget1Enter(QDragEnterEvent *e)
{
    // Only messages a mail client hands over; plain files are refused.
    if (MimeDataVirtualFiles::offers(e->mimeData()) &&
        (e->possibleActions() & (Qt::CopyAction | Qt::LinkAction))) {
        e->acceptProposedAction();
    } else {
        e->setDropAction(Qt::IgnoreAction);
        e->ignore();
    }
}

void TFrmQuernal::DropEmptyTarget1DragOver(QDragMoveEvent *e)
{
    if (!MimeDataVirtualFiles::offers(e->mimeData())) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    Editor->hide();
    paintPanel1(QPalette::ToolTipBase);
}

void TFrmQuernal::DropEmptyTarget1Leave()
{
    Editor->show();
    Editor->update();
    paintPanel1(QPalette::Button);
}

void TFrmQuernal::paintPanel1(QPalette::ColorRole role)
{
    QPalette p = Panel1->palette();
    p.setColor(QPalette::Window, palette().color(role));
    Panel1->setPalette(p);
    Panel1->setAutoFillBackground(true);
    Panel1->update();
}

void TFrmQuernal::DropEmptyTarget1Drop(VirtualFileSource &files)
{
    ClearMessageView();
    CloseMessageList();
    setStatusText(2, QString());
    const int n = files.count();
    int remaining = n;
    for (int i = 0; i < n; ++i) {
        ListView1->clear();
        ListView2->clear();
        Editor->clear();
        const QString name = SafeFileName(files.name(i));
        const QString ext = QFileInfo(name).suffix().toLower();
        if (ext != QLatin1String("eml") && ext != QLatin1String("msg")) {
            Prompt::current().message(QStringLiteral("メールファイルではありません"), Prompt::Kind::Warning);
            break;
        }
        awk_MessageFile = WorkFolders::mailDat(MyAppDataPath) + u'/' + name;
        QFile made(awk_MessageFile);
        made.open(QIODevice::WriteOnly | QIODevice::Truncate);
        made.close();
        std::unique_ptr<QIODevice> stream = files.contents(i);
        if (!stream) {
            Prompt::current().message(QStringLiteral("** メール内容が読めませんでした **"), Prompt::Kind::Warning);
            --remaining;
            continue;
        }
        CopyVirtualFile(*stream, awk_MessageFile);
        if (ext == QLatin1String("eml"))
            ShowEmlMessage(awk_MessageFile);
        else
            ShowOutlookItem(awk_MessageFile);
        action("DBUpdate")->setEnabled(true);
        action("MessageSave")->setEnabled(true);
        if (n > 1) {
            Editor->show();
            Editor->update();
            AskRegistration(remaining, awk_MessageFile);
            --remaining;
        }
    }
    DropEmptyTarget1Leave();
}

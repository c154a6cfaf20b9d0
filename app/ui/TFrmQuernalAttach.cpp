#include "TFrmQuernal.h"

#include "OpenAndWait.h"
#include "Prompt.h"
#include "SafeName.h"
#include "WindowStacking.h"
#include "WorkFolders.h"

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTabWidget>
#include <QTreeWidget>

// Saving and opening attachments from the two lists.

namespace {
bool refusedForOpening(const QString &caption)
{
    if (caption.compare(QLatin1String("PGP_MIME version identification.dat"), Qt::CaseInsensitive) == 0)
        return true;
    const QString ext = u'.' + QFileInfo(caption).suffix().toUpper();
    return ext == QLatin1String(".PGP") || ext == QLatin1String(".GPG") || ext == QLatin1String(".ASC");
}

QString selectedCaption(const QTreeWidget *list)
{
    const QTreeWidgetItem *i = list->currentItem();
    return (i && i->isSelected()) ? i->text(0) : QString();
}
} // namespace

void TFrmQuernal::buildAttachmentMenus()
{
    auto menuFor = [this](QTreeWidget *list, bool first) {
        auto *m = new QMenu(list);
        m->setObjectName(list->objectName() + QStringLiteral("Menu"));
        m->addAction(action("SavetoDisk"));
        m->addSeparator();
        m->addAction(action("OpenWith"));
        m->addSeparator();
        if (first) {
            m->addAction(action("DecryptGpg"));
            m->addAction(action("SaveToDiskDGpg"));
        } else {
            // The same command under the second list's own caption.
            QAction *dgpg = m->addAction(QStringLiteral("GnuPG復号して保存 (&E)"), action("SaveToDiskDGpg"), &QAction::trigger);
            auto follow = [this, dgpg] { dgpg->setEnabled(action("SaveToDiskDGpg")->isEnabled()); };
            connect(action("SaveToDiskDGpg"), &QAction::changed, dgpg, follow);
            follow();
        }
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, m,
                [m, list](const QPoint &p) { m->popup(list->viewport()->mapToGlobal(p)); });
        list->viewport()->installEventFilter(this);
        // Clearing a list removes the file last written out for opening.
        connect(list->model(), &QAbstractItemModel::rowsAboutToBeRemoved, this, &TFrmQuernal::ListViewDeletion);
        connect(list->model(), &QAbstractItemModel::modelAboutToBeReset, this, &TFrmQuernal::ListViewDeletion);
    };
    menuFor(ListView1, true);
    menuFor(ListView2, false);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, &TFrmQuernal::ListView1DblClick);
    connect(action("SavetoDisk"), &QAction::triggered, this, &TFrmQuernal::SavetoDiskExecute);
    connect(action("OpenWith"), &QAction::triggered, this, &TFrmQuernal::OpenWithExecute);
    connect(action("SaveToDiskA1"), &QAction::triggered, this, &TFrmQuernal::SaveToDiskA1Execute);
    connect(action("SaveToDiskA2"), &QAction::triggered, this, &TFrmQuernal::SaveToDiskA2Execute);
    connect(action("OpenWithA1"), &QAction::triggered, this, &TFrmQuernal::OpenWithA1Execute);
    connect(action("OpenWithA2"), &QAction::triggered, this, &TFrmQuernal::OpenWithA2Execute);
    action("SavetoDisk")->setEnabled(false);
    action("OpenWith")->setEnabled(false);
}

void TFrmQuernal::ListViewDeletion()
{
    if (!ExecuteFile.isEmpty() && QFileInfo(ExecuteFile).isFile())
        QFile::remove(ExecuteFile);
}

void TFrmQuernal::ListViewMouseLeave(QTreeWidget *list)
{
    if (!selectedCaption(list).isEmpty())
        return;
    if (list == ListView1) {
        for (const char *a : {"SavetoDisk", "OpenWith", "DecryptGpg", "SaveToDiskDGpg"})
            action(QString::fromLatin1(a))->setEnabled(false);
    } else {
        for (const char *a : {"SavetoDisk", "SaveToDiskA2", "OpenWith", "OpenWithA2"})
            action(QString::fromLatin1(a))->setEnabled(false);
    }
}

void TFrmQuernal::SavetoDiskExecute()
{
    if (PageControl1->currentWidget() == TabSheet2)
        SaveToDiskA1Execute();
    else if (PageControl1->currentWidget() == TabSheet5)
        SaveToDiskA2Execute();
}

void TFrmQuernal::OpenWithExecute()
{
    SetStaysOnTop(this, false);
    if (PageControl1->currentWidget() == TabSheet2)
        OpenWithA1Execute();
    else if (PageControl1->currentWidget() == TabSheet5)
        OpenWithA2Execute();
}

QString TFrmQuernal::askSaveTarget(const QString &caption)
{
    // The dialog gets no file-type list; the caption is offered under a safe name.
    int filter = 0;
    return Prompt::current().saveFileName(QStringLiteral("名前をつけて保存"), cfg.mlStorePath, SafeFileName(caption),
                                          {}, &filter);
}

void TFrmQuernal::SaveToDiskA1Execute()
{
    const QString caption = selectedCaption(ListView1);
    if (caption.isEmpty())
        return;
    const QString target = askSaveTarget(caption);
    if (target.isEmpty())
        return;
    if (const MimePart *p = MessageReader.attachmentFor(caption))
        p->writeTo(target);
}

void TFrmQuernal::SaveToDiskA2Execute()
{
    const QString caption = selectedCaption(ListView2);
    if (caption.isEmpty())
        return;
    const QString target = askSaveTarget(caption);
    if (target.isEmpty())
        return;
    if (const MimePart *p = DecryptReader.attachmentFor(caption)) {
        p->writeTo(target);
    } else {
        const QString source = SafePathIn(WorkFolders::mailDat(MyAppDataPath) + QStringLiteral("/2nd"), caption);
        if (QFileInfo(source).isFile()) {
            QFile::remove(target);
            QFile::copy(source, target);
        } else {
            Prompt::current().message(QStringLiteral("Save Data がみつかりません\r\nプログラムの修正が必要です"),
                                      Prompt::Kind::Error);
        }
    }
    SaveDialog1Filters = {QStringLiteral("Mail Box ファイル(*.mbox)"), QStringLiteral("Inport用 テキストファイル(*.txt)"),
                          QStringLiteral("リッチテキスト ファイル(*.rtf)")};
}

void TFrmQuernal::OpenWithA1Execute()
{
    openAttachment(ListView1, WorkFolders::mailDat(MyAppDataPath), MessageReader);
}

void TFrmQuernal::OpenWithA2Execute()
{
    // Unpacked TNEF files are already in place in the second-level folder.
    openAttachment(ListView2, WorkFolders::mailDat(MyAppDataPath) + (TnefFlg ? QStringLiteral("/2nd") : QString()),
                   DecryptReader);
}

void TFrmQuernal::openAttachment(QTreeWidget *list, const QString &folder, const MimeReader &reader)
{
    const QString caption = selectedCaption(list);
    if (caption.isEmpty())
        return;
    ExecuteFile = SafePathIn(folder, caption);
    if (refusedForOpening(caption)) {
        Prompt::current().message(QStringLiteral("このファイルは起動できる規定のプログラムがありません"),
                                  Prompt::Kind::Warning);
        return;
    }
    if (const MimePart *p = reader.attachmentFor(caption))
        p->writeTo(ExecuteFile);
    Opener.run(ExecuteFile);
}

void TFrmQuernal::ListView1DblClick()
{
    const QString caption = selectedCaption(ListView1);
    if (caption.isEmpty())
        return;
    setStatusText(2, caption);
    const QString ext = QFileInfo(caption).suffix();
    if (ext.contains(QLatin1String("asc"), Qt::CaseInsensitive) ||
        caption.contains(QLatin1String("encrypted"), Qt::CaseInsensitive) ||
        ext.contains(QLatin1String("gpg"), Qt::CaseInsensitive) || ext.contains(QLatin1String("pgp"), Qt::CaseInsensitive))
        action("DecryptGpgA1")->trigger();
    else
        OpenWithA1Execute();
}

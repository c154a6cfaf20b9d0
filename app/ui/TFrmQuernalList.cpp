#include "TFrmQuernal.h"

#include "ListFontSize.h"
#include "ParameterTable.h"
#include "Prompt.h"
#include "SearchCondition.h"
#include "TDBListFrm.h"
#include "TDBSelectFrm.h"
#include "TDm_Ldb.h"
#include "WindowStacking.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

// The search dialog and the result list window.

namespace {
QDate settingDate(const QString &value, const QDate &fallback)
{
    if (ParameterTable::isUnset(value))
        return fallback;
    const QDate d = QDate::fromString(value.trimmed(), QStringLiteral("yyyy/MM/dd"));
    return d.isValid() ? d : fallback;
}
} // namespace

void TFrmQuernal::wireResultList()
{
    connect(DBListFrm, &TDBListFrm::titleClicked, this, &TFrmQuernal::DBGrid1TitleClick);
    connect(DBListFrm, &TDBListFrm::closeRequested, this, [this](bool *accept) {
        if (pmode & 0x100) {
            DockResultList();
            *accept = false;
        }
    });
    connect(DBListFrm, &TDBListFrm::floatingResized, this, [this](int w, int h) {
        if (StartDocNum != 0) {
            cfg.lstWidth = w;
            cfg.lstHeight = h;
        }
    });
    connect(DBListFrm, &TDBListFrm::floatingActivation, this, [this](bool active) {
        if (active)
            ListFormActivate();
        else
            ListFormDeactivate();
    });
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(action("DispMsgDat"));
    PopupMenu1->addAction(action("ExprtMsgFile"));
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(action("DelMsgDat"));
    PopupMenu1->addSeparator();
    QAction *s1 = PopupMenu1->addAction(QStringLiteral("フォントサイズ (&S) - 縮小"), this, &TFrmQuernal::S1Click);
    QAction *s2 = PopupMenu1->addAction(QStringLiteral("フォントサイズ (&L) - 拡大"), this, &TFrmQuernal::S2Click);
    s1->setObjectName(QStringLiteral("S1"));
    s2->setObjectName(QStringLiteral("S2"));
    // The two items follow the action's enabled state.
    auto follow = [this, s1, s2] {
        s1->setEnabled(action("SetListFontSize")->isEnabled());
        s2->setEnabled(action("SetListFontSize")->isEnabled());
    };
    connect(action("SetListFontSize"), &QAction::changed, this, follow);
    follow();
    connect(DBListFrm->DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        PopupMenu1->popup(DBListFrm->DBGrid1->viewport()->mapToGlobal(p));
    });
    DBListFrm->setGridFontSize(cfg.dbLstFrmFontSize);
    connect(PageControl1->tabBar(), &QTabBar::tabBarDoubleClicked, this, [this](int index) {
        if (index >= 0 && PageControl1->widget(index) == DBListFrm)
            PageControl1UnDock();
    });
}

void TFrmQuernal::DBGrid1TitleClick(const QString &field)
{
    if (!Dm_Ldb || !Dm_Ldb->FDTbl1().isOpen() || field.isEmpty())
        return;
    MessageList &list = Dm_Ldb->FDTbl1();
    // One counter for every column: odd sorts ascending, even descending.
    list.setOrder(field, srtcnum % 2 == 0);
    list.close();
    list.open();
    DBListFrm->bind(list, cfg.grid);
    DBListFrm->DBGrid1->clearSelection();
    ++srtcnum;
}

void TFrmQuernal::S1Click()
{
    cfg.dbLstFrmFontSize = ListFontSize::smaller(cfg.dbLstFrmFontSize);
    if (DBListFrm)
        DBListFrm->setGridFontSize(cfg.dbLstFrmFontSize);
}

void TFrmQuernal::S2Click()
{
    cfg.dbLstFrmFontSize = ListFontSize::larger(cfg.dbLstFrmFontSize);
    if (DBListFrm)
        DBListFrm->setGridFontSize(cfg.dbLstFrmFontSize);
}

void TFrmQuernal::PageControl1UnDock()
{
    if (!DBListFrm || DBListFrm->isWindow())
        return;
    if (DBListFrm)
        DBListFrm->readLayout(cfg.grid);
    PageControl1->removeTab(PageControl1->indexOf(DBListFrm));
    if (pmode & 0x10)
        pmode |= 0x100;
    else
        pmode &= quint16(~0x100);
    ++StartDocNum;
    DBListFrm->setParent(nullptr, Qt::Window);
    DBListFrm->setWindowTitle(QStringLiteral("DB List View"));
    DBListFrm->resize(cfg.lstWidth, cfg.lstHeight);
    DBListFrm->show();
}

void TFrmQuernal::DockResultList()
{
    pmode &= quint16(~0x100);
    StartDocNum = 0;
    DBListFrm->hide();
    PageControl1->addTab(DBListFrm, QStringLiteral("DB List View"));
    DBListFrm->show();
    PageControl1->setCurrentWidget(DBListFrm);
}

void TFrmQuernal::DBSelectExecute()
{
    if (!Dm_Ldb)
        return;
    // 1.
    if (action("DBBackup")->isChecked()) {
        action("DBBackup")->setChecked(false);
        setPageVisible(TabSheet7, false);
    }
    // 2.
    MessageList &list = Dm_Ldb->FDTbl1();
    if (!list.isOpen()) {
        DBConnectExecute();
        action("DBConnect")->setChecked(true);
        setToolButton3Image(1);
    }
    // 3-7.
    parametersFromTable();
    TDBSelectFrm dlg(MyAppDataPath, cfg.dSelRGIdx, CDpi, this);
    DBSelectFrm = &dlg;
    action("DBSelect")->setChecked(true);
    const QDate today = QDate::currentDate();
    dlg.setValues(settingDate(cfg.parameters.value(QStringLiteral("FromDate")), today.addMonths(-1)),
                  settingDate(cfg.parameters.value(QStringLiteral("ToDate")), today),
                  ParameterTable::isUnset(cfg.parameters.value(QStringLiteral("Subject")))
                      ? QString() : cfg.parameters.value(QStringLiteral("Subject")),
                  ParameterTable::isUnset(cfg.parameters.value(QStringLiteral("SenderName")))
                      ? QString() : cfg.parameters.value(QStringLiteral("SenderName")));
    // 8.
    SetStaysOnTop(this, false);
    runSearchDialog(dlg);
    // 9.
    cfg.parameters.setValue(QStringLiteral("FromDate"), dlg.fromDate().toString(QStringLiteral("yyyy/MM/dd")));
    cfg.parameters.setValue(QStringLiteral("ToDate"), dlg.toDate().toString(QStringLiteral("yyyy/MM/dd")));
    cfg.parameters.setValue(QStringLiteral("Subject"), dlg.subjectText());
    cfg.parameters.setValue(QStringLiteral("SenderName"), dlg.senderText());
    cfg.dSelRGIdx = dlg.dSelRGIdx();
    parametersToTable();
    action("DBSelect")->setChecked(false);
    DBSelectFrm = nullptr;
    if (dlg.closedBy() == TDBSelectFrm::Closed::Ok)
        applySearch(*dlg.search());
    PageControl1->setCurrentIndex(PageControl1->count() - 1);
}

void TFrmQuernal::applySearch(const SearchInput &in)
{
    const auto cond = SearchCondition::build(in);
    if (!cond)
        return;
    MessageList &list = Dm_Ldb->FDTbl1();
    list.setFilter(cond->sql, cond->values);
    list.setFiltered(true);
    list.close();
    if (!list.open()) {
        Prompt::current().message(list.lastError(), Prompt::Kind::Error);
        return;
    }
    if (DBListFrm)
        DBListFrm->bind(list, cfg.grid);
    action("DispMsgDat")->setEnabled(true);
    action("ExprtMsgFile")->setEnabled(true);
    action("DBConnect")->setChecked(true);
}

void TFrmQuernal::ListFormActivate()
{
    SetStaysOnTop(this, false);
    SetStaysOnTop(DBListFrm, true);
}

void TFrmQuernal::ListFormDeactivate()
{
    // Above the list only while the program keeps the activation: another
    // program's window must not end up below the main window.
    SetStaysOnTop(DBListFrm, false);
    SetStaysOnTop(this, QApplication::activeWindow() != nullptr);
}

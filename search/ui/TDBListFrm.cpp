#include "TDBListFrm.h"

#include "GridColumnLayout.h"
#include "MessageList.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

TDBListFrm::TDBListFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DBListFrm"));
    setWindowTitle(QStringLiteral("DB List View"));
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    DBGrid1->setWordWrap(false);
    DBGrid1->horizontalHeader()->setSectionsMovable(true);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    DBGrid1->horizontalHeader()->setSectionsClickable(true);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int logical) {
        emit titleClicked(MessageList::fields().value(logical));
    });
    l->addWidget(DBGrid1);
}

void TDBListFrm::bind(MessageList &list, const GridColumnLayout &layout)
{
    DBGrid1->setModel(list.model());
    QHeaderView *h = DBGrid1->horizontalHeader();
    const QStringList &fields = MessageList::fields();
    // Each remembered position names a field; put that field's column there.
    for (int pos = 0; pos < layout.columns.size(); ++pos) {
        const GridColumn &c = layout.columns[pos];
        const int logical = int(fields.indexOf(c.fieldName.toUpper()));
        if (logical < 0)
            continue;
        list.model()->setHeaderData(logical, Qt::Horizontal, c.title);
        h->moveSection(h->visualIndex(logical), pos);
        DBGrid1->setColumnHidden(logical, !c.visible);
        DBGrid1->setColumnWidth(logical, c.width);
    }
}

void TDBListFrm::readLayout(GridColumnLayout &layout) const
{
    if (!DBGrid1->model())
        return;
    const QHeaderView *h = DBGrid1->horizontalHeader();
    const QStringList &fields = MessageList::fields();
    for (int pos = 0; pos < layout.columns.size() && pos < h->count(); ++pos) {
        const int logical = h->logicalIndex(pos);
        GridColumn &c = layout.columns[pos];
        c.fieldName = fields.value(logical);
        c.title = DBGrid1->model()->headerData(logical, Qt::Horizontal).toString();
        c.visible = !h->isSectionHidden(logical);
        if (c.visible)
            c.width = h->sectionSize(logical);
    }
}

void TDBListFrm::unbind()
{
    DBGrid1->setModel(nullptr);
}

void TDBListFrm::setGridFontSize(int points)
{
    QFont f = DBGrid1->font();
    f.setPointSize(qMax(1, points));
    DBGrid1->setFont(f);
    DBGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 6);
}

void TDBListFrm::closeEvent(QCloseEvent *e)
{
    bool accept = true;
    emit closeRequested(&accept);
    if (accept)
        e->accept();
    else
        e->ignore();
}

void TDBListFrm::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (isWindow())
        emit floatingResized(width(), height());
}

void TDBListFrm::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    // Docked, the main window's own activation rule holds.
    if (e->type() == QEvent::ActivationChange && isWindow())
        emit floatingActivation(isActiveWindow());
}

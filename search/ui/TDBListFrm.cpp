#include "TDBListFrm.h"

#include "GridColumnLayout.h"
#include "MessageList.h"

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
    DBGrid1->horizontalHeader()->setSectionsMovable(true);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
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

void TDBListFrm::unbind()
{
    DBGrid1->setModel(nullptr);
}

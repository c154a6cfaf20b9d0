#pragma once
#include <QWidget>

class GridColumnLayout;
class MessageList;
class QTableView;

// The result list: one grid over the stored messages, docked as the last
// page of the main window's page control.
class TDBListFrm : public QWidget
{
    Q_OBJECT
public:
    explicit TDBListFrm(QWidget *parent = nullptr);

    // Shows the list's rows with the remembered column layout.
    void bind(MessageList &list, const GridColumnLayout &layout);
    void unbind();

    QTableView *DBGrid1 = nullptr;
};

#pragma once
#include <QWidget>

class GridColumnLayout;
class MessageList;
class QTableView;

// The result list: one grid over the stored messages, docked as the last
// page of the main window's page control, or floating on its own.
class TDBListFrm : public QWidget
{
    Q_OBJECT
public:
    explicit TDBListFrm(QWidget *parent = nullptr);

    // Shows the list's rows with the remembered column layout.
    void bind(MessageList &list, const GridColumnLayout &layout);
    void unbind();
    // The layout as the user left it: order, widths, visibility, titles.
    void readLayout(GridColumnLayout &layout) const;
    void setGridFontSize(int points);

    QTableView *DBGrid1 = nullptr;

signals:
    void titleClicked(const QString &field);
    // The user closed the floating window; the receiver docks it back or lets it go.
    void closeRequested(bool *accept);
    void floatingResized(int width, int height);
    // The floating window became active (true) or lost activation (false).
    void floatingActivation(bool active);

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
};

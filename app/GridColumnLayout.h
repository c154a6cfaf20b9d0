#pragma once
#include <QList>
#include <QString>

// Column layout of the result list grid: which field each position shows,
// its title, width and visibility; remembered in the "DBGrid" section.
struct GridColumn
{
    bool visible = true;
    int width = 200;
    QString fieldName;
    QString title;
};

class GridColumnLayout
{
public:
    static constexpr int kColumns = 10;
    struct DefaultColumn
    {
        const char *field;
        const char *title;
        bool shown;
    };
    static const DefaultColumn kDefaults[kColumns];

    GridColumnLayout();
    QList<GridColumn> columns;

    // When any position names no field, the design order comes back:
    // fields and titles in order, positions 0, 2 and 8 hidden, the others'
    // visibility and all widths as they were.
    bool restoreDefaultIfIncomplete();
};

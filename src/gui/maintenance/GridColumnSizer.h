#pragma once

#include <QObject>

class QTableView;
class QWidget;

namespace convertor {

// Sizes the columns of a grid to their contents, with room beside Thai marks, and widens the
// last shown column to the grid's edge. No column is narrower than its contents, so a grid
// scrolls sideways only when it is narrowed below them; a stretched last section would cut its
// text off instead.
class GridColumnSizer : public QObject {
    Q_OBJECT

public:
    explicit GridColumnSizer(QTableView* grid);

    // After the rows changed.
    void fitToContents();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int lastShownColumn() const;
    void fillToEdge();

    QTableView* m_grid;
    QWidget* m_viewport;
    int m_lastContentWidth = 0;
};

}  // namespace convertor

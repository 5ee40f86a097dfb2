#pragma once

// A grid of text cells that shows property rows (TPropertyRows): row 0 as the header, the
// other rows' cells as they stand, rows that are not enabled in grey. The rows are the grid's
// own or kept elsewhere (the rating document's); whoever changes them directly tells the grid
// with RowsChanged or CellsChanged.

#include "gui/widgets/custom_grid.h"
#include "rows/property_rows.h"

#include <functional>

namespace vantor {

class KzStringGrid : public KzCustomGrid {
    Q_OBJECT

public:
    explicit KzStringGrid(QWidget* parent = nullptr);

    TPropertyRows& Rows() { return *m_rows; }
    const TPropertyRows& Rows() const { return *m_rows; }
    // Shows rows kept elsewhere; nullptr goes back to the grid's own rows. Rows kept
    // elsewhere must outlive the grid or be replaced first.
    void SetPropertyRows(TPropertyRows* rows);

    // The rows were rebuilt or changed in kind or state: an edit in progress is dropped, the
    // table is read again and the current cell's selection handling runs again.
    void RowsChanged();
    // Only cell texts changed.
    void CellsChanged();

    void SetColWidth(int col, int width);
    int ColWidth(int col) const;
    // The widest text of the column: the header in the header's font, the cells in the grid's.
    int WidestText(int col) const;
    // Cells drawn in the highlight colour (the properties that fix an air state, say).
    std::function<bool(int col, int row)> CellHighlighted;

    // Whether the cell's text is wider than its column can show; such a cell shows its whole
    // text as a tooltip.
    bool CellIsCut(int col, int row) const;

protected:
    // Whether the in-place editor may open on the cell.
    virtual bool CanEditShow(int col, int row) const = 0;
    // After the cells were read again (RowsChanged, CellsChanged).
    virtual void CellsRefreshed() {}

private:
    class TCellModel;

    TPropertyRows m_ownRows;
    TPropertyRows* m_rows = &m_ownRows;
    TCellModel* m_model;
};

}  // namespace vantor

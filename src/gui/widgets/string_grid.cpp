#include "gui/widgets/string_grid.h"

#include "gui/common/qt_text.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFont>
#include <QHeaderView>
#include <QPalette>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace vantor {

// The rows as a Qt table: model row r is grid row r + 1. The counts are kept here and follow
// the rows only in Sync, so the view always hears of a change in the order it expects.
class KzStringGrid::TCellModel : public QAbstractTableModel {
public:
    explicit TCellModel(KzStringGrid& grid) : QAbstractTableModel(&grid), m_grid(grid) { Count(m_rowCount, m_colCount); }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_rowCount; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_colCount; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const int row = RowOf(index);
        if (role == Qt::DisplayRole || role == Qt::EditRole) return ToQString(m_grid.Rows().Cell(index.column(), row));
        if (role == Qt::ToolTipRole && m_grid.CellIsCut(index.column(), row))
            return ToQString(m_grid.Rows().Cell(index.column(), row));
        if (role == Qt::ForegroundRole && !m_grid.Rows().RowEnabled(row))
            return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
        if (m_grid.CellHighlighted && m_grid.CellHighlighted(index.column(), row)) {
            if (role == Qt::ForegroundRole) return QApplication::palette().color(QPalette::Highlight);
            if (role == Qt::FontRole) {
                QFont font = m_grid.font();
                font.setBold(true);
                return font;
            }
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return ToQString(m_grid.Rows().Cell(section, 0));
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (m_grid.CanEditShow(index.column(), RowOf(index))) flags |= Qt::ItemIsEditable;
        return flags;
    }

    void Sync()
    {
        int rows = 0;
        int cols = 0;
        Count(rows, cols);
        if (cols != m_colCount) {
            beginResetModel();
            m_rowCount = rows;
            m_colCount = cols;
            endResetModel();
            return;
        }
        if (rows > m_rowCount) {
            beginInsertRows({}, m_rowCount, rows - 1);
            m_rowCount = rows;
            endInsertRows();
        } else if (rows < m_rowCount) {
            beginRemoveRows({}, rows, m_rowCount - 1);
            m_rowCount = rows;
            endRemoveRows();
        }
        Refresh();
    }

    void Refresh()
    {
        if (m_rowCount > 0) emit dataChanged(index(0, 0), index(m_rowCount - 1, m_colCount - 1));
        if (m_colCount > 0) emit headerDataChanged(Qt::Horizontal, 0, m_colCount - 1);
    }

private:
    void Count(int& rows, int& cols) const
    {
        rows = std::max(0, m_grid.Rows().RowCount() - 1);
        cols = m_grid.Rows().ColCount();
    }

    KzStringGrid& m_grid;
    int m_rowCount = 0;
    int m_colCount = 0;
};

KzStringGrid::KzStringGrid(QWidget* parent) : KzCustomGrid(parent), m_model(new TCellModel(*this))
{
    setModel(m_model);
}

void KzStringGrid::SetPropertyRows(TPropertyRows* rows)
{
    CancelEdit();
    m_rows = rows ? rows : &m_ownRows;
    RowsChanged();
}

void KzStringGrid::RowsChanged()
{
    CancelEdit();
    m_model->Sync();
    if (currentIndex().isValid())
        SelectCurrent();
    else
        SelectCell(1, 1);  // the value column is where editing starts
    CellsRefreshed();
}

void KzStringGrid::CellsChanged()
{
    m_model->Refresh();
    CellsRefreshed();
}

void KzStringGrid::SetColWidth(int col, int width)
{
    // A stored width or a very long value never makes a column wider than the screen.
    const QScreen* shownOn = screen();
    if (shownOn) width = std::min(width, shownOn->availableGeometry().width());
    horizontalHeader()->resizeSection(col, width);
}

int KzStringGrid::ColWidth(int col) const { return horizontalHeader()->sectionSize(col); }

int KzStringGrid::WidestText(int col) const
{
    const QFontMetrics cellMetrics = fontMetrics();
    const QFontMetrics headerMetrics = horizontalHeader()->fontMetrics();
    int widest = 0;
    for (int row = 0; row < Rows().RowCount(); ++row) {
        const QFontMetrics& metrics = row == 0 ? headerMetrics : cellMetrics;
        widest = std::max(widest, metrics.horizontalAdvance(ToQString(Rows().Cell(col, row))));
    }
    return widest;
}

bool KzStringGrid::CellIsCut(int col, int row) const
{
    // The style keeps a margin on both sides of a cell's text.
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    return fontMetrics().horizontalAdvance(ToQString(Rows().Cell(col, row))) + margins > ColWidth(col);
}

}  // namespace vantor

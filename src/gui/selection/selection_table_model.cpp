#include "gui/selection/selection_table_model.h"

#include "gui/common/qt_text.h"

#include <variant>

namespace vantor {

TSelectionTableModel::TSelectionTableModel(const TUnitsRegistry& units, QObject* parent)
    : QAbstractTableModel(parent), m_table(units)
{
}

void TSelectionTableModel::SetResults(std::vector<TSelectionResult> results)
{
    beginResetModel();
    m_results = std::move(results);
    endResetModel();
}

int TSelectionTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_results.size());
}

int TSelectionTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : TSelectionTable::kColumnCount;
}

QVariant TSelectionTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TSelectionResult& result = m_results[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: return ToQString(m_table.Text(result, index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return TSelectionTable::IsNumber(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                         : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case kSortRole: {
        const TSelectionTable::TSortKey key = m_table.SortKey(result, index.row(), index.column());
        if (const double* number = std::get_if<double>(&key)) return *number;
        return ToQString(std::get<std::string>(key));
    }
    default: return {};
    }
}

QVariant TSelectionTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    return ToQString(m_table.Heading(section));
}

}  // namespace vantor

#pragma once

// The selection window's results as a table model: one row per coil in the order the
// selection ranked them, the columns and texts of TSelectionTable, in the user's units. A
// view sorts it through a proxy by kSortRole, which gives numbers for quantities, so a
// column of weights sorts by weight and not by text.

#include "selection/selection_table.h"

#include <QAbstractTableModel>

#include <vector>

namespace vantor {

class TUnitsRegistry;

class TSelectionTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kSortRole = Qt::UserRole;

    // The headings and texts in the units chosen in units now.
    explicit TSelectionTableModel(const TUnitsRegistry& units, QObject* parent = nullptr);

    void SetResults(std::vector<TSelectionResult> results);
    // The results in ranked order; row r of the model is result r.
    const std::vector<TSelectionResult>& Results() const { return m_results; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    TSelectionTable m_table;
    std::vector<TSelectionResult> m_results;
};

}  // namespace vantor

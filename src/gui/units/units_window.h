#pragma once

// "Customise Units": one row per units type with the unit the user prefers for it, the
// Metric and Imperial presets, and "&Accept" / "&Cancel". The choices are kept in the shared
// settings (section "SetUnitsForm") with the window's placement and column widths; the main
// window applies them to its rows (ApplyUnitChoices) and to the quantities no row shows.

#include "rows/unit_choices.h"
#include "units/units_type.h"

#include <QDialog>

#include <vector>

class QStatusBar;

namespace vantor {

class TEntryGrid;

class TSetUnitsForm : public QDialog {
    Q_OBJECT

public:
    // Starts from the Metric choices, then takes the stored ones.
    explicit TSetUnitsForm(QWidget* parent = nullptr);
    // Stores the choices, the placement and the column widths.
    ~TSetUnitsForm() override;

    // Every type but "Proportion" takes the preset's unit; the rows show the new choices.
    void Metric();
    void Imperial();

    const TUnitChoices& Choices() const { return m_choices; }
    int UnitChoice(TUnitsType type) const { return m_choices.UnitChoice(type); }
    // Every row of the grid bound to a units type shows that type's choice.
    void ApplyUnitChoices(TEntryGrid& grid) const;

    TEntryGrid& Grid() const { return *m_grid; }
    // The row's units type; utNone outside the rows.
    TUnitsType RowType(int row) const;
    QString StatusText() const;

public slots:
    // "&Accept": every row's unit becomes its type's choice.
    void accept() override;
    // "&Cancel" (and Escape): the choices go back to those held when the window was shown.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildRows();
    void ShowChoices();
    void ShowConversion(int row);
    void LoadSettings();
    void SaveSettings() const;

    TEntryGrid* m_grid;
    QStatusBar* m_status;
    TUnitChoices m_choices;
    TUnitChoices m_backup;
    std::vector<TUnitsType> m_rowTypes;
};

}  // namespace vantor

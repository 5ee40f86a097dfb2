#pragma once

// The fluid window: the heating fluid of the rating in a ten-row grid (temperature,
// pressure, fluid, additive and volume, user-defined properties), edited in place on the
// document's liquid, with the valid temperature range of the properties below in teal, or in
// dark red when the temperature lies outside it. Accept keeps the changes, Cancel puts the
// liquid back. The rules are TFluidSpec's.

#include "heating_fluid/fluid_spec.h"

#include <QDialog>

class QLabel;

namespace vantor {

class TEntryGrid;
class TLiquid;

class TFluidSpecForm : public QDialog {
    Q_OBJECT

public:
    // The stored column widths, units and placement are taken at once.
    explicit TFluidSpecForm(QWidget* parent = nullptr);
    ~TFluidSpecForm() override;

    void SetLiquid(TLiquid& liquid) { m_rules.SetLiquid(liquid); }
    // The window's top left at (x, y), moved up and left as far as needed to stay on the screen.
    void Place(int x, int y);

    TFluidSpec& Rules() { return m_rules; }
    TEntryGrid& Grid() const { return *m_grid; }
    QLabel& RangeLabel() const { return *m_range; }

    static const QColor& InRangeColour();
    static const QColor& OutOfRangeColour();

public slots:
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowRange();
    // Widens the columns and grows the window until every row and column shows whole.
    void FitToRows();
    void SaveSettings() const;

    TFluidSpec m_rules;
    TEntryGrid* m_grid;
    QLabel* m_range;
};

}  // namespace vantor

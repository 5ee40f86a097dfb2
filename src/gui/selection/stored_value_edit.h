#pragma once

// A number box for a stored (SI) value shown in the user's unit. While the box still shows
// the value it was given, StoredValue() returns that value exactly, so neither the document's
// values nor the settings drift by the rounding of a unit the user merely looked at; a value
// the user typed is converted back from the unit.
//
//   TStoredValueEdit height(units, TSelectionInputUnits::kHeight);  // "24.000 inch"
//   height.ShowStored(0.6096);
//   height.StoredValue();  // 0.6096, until the user changes the box

#include "selection/selection_input_units.h"

#include <QDoubleSpinBox>

namespace vantor {

// The "." decimal separator whatever the desktop says, a range, decimals and a suffix.
void SetUpNumberEdit(QDoubleSpinBox& edit, double lo, double hi, int decimals, const QString& suffix);

class TStoredValueEdit : public QDoubleSpinBox {
public:
    // The unit's label follows the number when withSuffix is true.
    TStoredValueEdit(const TSelectionInputUnits& units, TSelectionInputUnits::TInput input, bool withSuffix = true);

    void ShowStored(double stored);
    double StoredValue() const;

private:
    const TSelectionInputUnits& m_units;
    TSelectionInputUnits::TInput m_input;
    double m_stored = 0;
    double m_shown = 0;
};

}  // namespace vantor

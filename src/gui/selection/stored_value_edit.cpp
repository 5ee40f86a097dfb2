#include "gui/selection/stored_value_edit.h"

#include "gui/common/qt_text.h"

#include <QLocale>

namespace vantor {

void SetUpNumberEdit(QDoubleSpinBox& edit, double lo, double hi, int decimals, const QString& suffix)
{
    edit.setLocale(QLocale::c());
    edit.setRange(lo, hi);
    edit.setDecimals(decimals);
    edit.setSuffix(suffix);
    edit.setAccelerated(true);
}

TStoredValueEdit::TStoredValueEdit(const TSelectionInputUnits& units, TSelectionInputUnits::TInput input,
                                   bool withSuffix)
    : m_units(units), m_input(input)
{
    const QString suffix = withSuffix ? QStringLiteral(" ") + ToQString(units.Label(input)) : QString();
    SetUpNumberEdit(*this, units.Lowest(input), units.Highest(input), units.Decimals(input), suffix);
    ShowStored(units.Stored(input, value()));
}

void TStoredValueEdit::ShowStored(double stored)
{
    m_stored = stored;
    setValue(m_units.Shown(m_input, stored));
    m_shown = value();
}

double TStoredValueEdit::StoredValue() const
{
    return value() == m_shown ? m_stored : m_units.Stored(m_input, value());
}

}  // namespace vantor

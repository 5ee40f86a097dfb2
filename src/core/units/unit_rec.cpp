#include "units/unit_rec.h"

#include "units/unit_tables.h"

namespace vantor {

void RefreshUnitRec(UnitRec& rec)
{
    if (UnitCount(rec.UnitsType) > 0) {
        if (!IsValidUnit(rec.UnitsType, rec.Units))
            rec.Units = IsValidUnit(rec.UnitsType, rec.DefaultUnits) ? rec.DefaultUnits : 0;
        if (!IsValidUnit(rec.UnitsType, rec.BaseUnits)) rec.BaseUnits = 0;
    }
    const auto info = UnitInfo(rec.UnitsType, rec.Units, rec.BaseUnits);
    rec.Label = info->Label;
    rec.Fmt = info->Format;
    if (rec.UnitsType != utNone) {
        rec.Factor = info->Factor;
        rec.Offset = info->Offset;
    }
}

}  // namespace vantor

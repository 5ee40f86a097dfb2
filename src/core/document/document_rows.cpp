#include "document/document_rows.h"

#include "rows/row_descriptor.h"

#include <array>
#include <utility>

namespace vantor {

namespace {

struct TRowQuantity {
    int Row;
    std::string_view Section;
    std::string_view Key;
};

constexpr std::array<TRowQuantity, 9> kRowQuantities = {{
    {rowBarometer, "place", "barom_pressure"},
    {rowAirOn, "air", "t"},
    {rowAirVolume, "air", "vol_flow"},
    {rowAirVelocity, "air", "v"},
    {rowFluidInlet, "liquid", "t"},
    {rowDesignDT, "liquid", "dt"},
    {rowFluidFlow, "liquid", "mass_flow"},
    {rowTubeVelocity, "liquid", "v"},
    {rowDesignDuty, "hex", "duty"},
}};

}  // namespace

const std::vector<std::string>& DocumentRowDescriptors()
{
    static const std::vector<std::string> descriptors = {
        "Property; Value; Units",
        "Coil Model; %s; ; PE",
        "Barometer; %0.3f; kPa; PE; 70; 120",
        "On Coil; %0.1f/%0.1f; °C; PE; -10; 45",
        "Air Volume; %0.3f; m³/s; NPE; 0.1; 100",
        "Air Velocity; %0.3f; m/s; NPE; 0.5; 10",
        "Heating Fluid; %s; ; PE",
        "Fluid Control; enum; ; Temperature; Flow",
        "Fluid Inlet; %0.1f; °C; NPE; 5.0; 150",
        "Design dT; %0.1f; °C; NPE; 0.1; 100",
        "Fluid flow; %0.3f; kg/s; NPE; 0.01; 20",
        "Tube Velocity; %0.2f; m/s; NPE; 0.01; 3",
        "Design Duty; %0.1f; kW; PE; 0.1; 500",
        "Calculate; enum; ; Heating Duty; Coil Size",
    };
    return descriptors;
}

TValueRange DocumentRowRange(int row)
{
    const std::vector<std::string>& descriptors = DocumentRowDescriptors();
    if (row < 1 || row >= static_cast<int>(descriptors.size())) return {};
    return DescriptorRange(descriptors[static_cast<size_t>(row)]);
}

UnitRec* RowUnitRec(TUnitsRegistry& units, int row)
{
    for (const TRowQuantity& quantity : kRowQuantities)
        if (quantity.Row == row) return units.Find(quantity.Section, quantity.Key);
    return nullptr;
}

std::vector<std::string> BuildDocumentRows(TPropertyRows& rows, TUnitsRegistry& units)
{
    std::vector<std::string> messages = rows.SetRows(DocumentRowDescriptors());
    rows.UnitsColumn = kUnitsColumn;
    for (const TRowQuantity& quantity : kRowQuantities) {
        const UnitRec* rec = RowUnitRec(units, quantity.Row);
        if (!rec) continue;
        const TResult bound =
            rows.SetUnits(quantity.Row, rec->UnitsType, rec->BaseUnits, rec->Units, ft_Fixed, 1.0, 0.0);
        if (!bound) messages.push_back(bound.Message);
    }
    return messages;
}

void StoreRowUnits(const TPropertyRows& rows, TUnitsRegistry& units)
{
    for (const TRowQuantity& quantity : kRowQuantities) {
        UnitRec* rec = units.Find(quantity.Section, quantity.Key);
        if (rec && rows.RowHasUnits(quantity.Row)) rec->Units = rows.RowUnitsValue(quantity.Row);
    }
}


void NoteAirCorrections(const TAirReading& reading, std::string_view dryBulbName, std::string_view wetBulbName,
                        TInputCheck& check)
{
    for (const TAirCorrection& correction : reading.Corrections) {
        const bool dryBulb = correction.Part == TAirPart::DryBulb;
        check.Note(dryBulb ? dryBulbName : wetBulbName, NoteNumber(correction.Given), correction.Reason,
                   NoteNumber(correction.Used) + " used");
    }
}

}  // namespace vantor

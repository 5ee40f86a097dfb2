#include "datafile/data_file_elements.h"

#include "document/document_rows.h"
#include "heating_fluid/fluid_choice.h"
#include "heating_fluid/fluid_spec.h"
#include "fluids/liquid.h"
#include "fluids/transport_props.h"
#include "geometry/circuit_fractions.h"
#include "geometry/coil_makers.h"
#include "geometry/designation.h"
#include "geometry/materials.h"
#include "model/hot_water_coil.h"
#include "model/liquid_state.h"
#include "reports/file_properties.h"
#include "text/format.h"
#include "text/number_text.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>

namespace vantor {

namespace {

using TNode = TXMLFile::TNode;

// Each writer reuses an element of the same name, so saving twice into one document
// leaves one of each. A value the element's format would round (a flow of 0.0145 kg/s in
// "%0.3f") is written with as many digits as it takes to read back the same double, so a
// saved rating opens to the same inputs and the same duty.
void WriteNumber(TXMLFile& file, TNode parent, std::string_view name, std::string_view format, double value)
{
    const std::string text = FormatFloat(format, value);
    file.WriteText(parent, name, true, ParseDouble(text) == value ? text : FormatShortest(value));
}

void WriteCode(TXMLFile& file, TNode parent, std::string_view name, int value, std::string_view attribute,
               std::string_view label)
{
    file.SetAttribute(file.WriteInteger(parent, name, true, value), attribute, label);
}

// An integer that must fit a byte field; anything else keeps the present value.
std::uint8_t ReadByte(TXMLFile& file, TNode node, std::string_view name, std::uint8_t current)
{
    const int value = file.ReadInteger(node, name, current);
    return value >= 0 && value <= std::numeric_limits<std::uint8_t>::max() ? static_cast<std::uint8_t>(value)
                                                                           : current;
}

// A number checked as a typed value is, against the range of its element; a missing element
// keeps the present value without a word, as older files expect.
double ReadChecked(TXMLFile& file, TNode node, std::string_view name, double current, TInputCheck& check,
                   const TValueRange& range)
{
    const std::string text = file.ReadText(node, name, "");
    if (file.ReadStatus() != TXmlReadStatus::Ok) return current;
    return check.Checked(name, text, current, range);
}

double ReadChecked(TXMLFile& file, TNode node, std::string_view name, double current, TInputCheck& check)
{
    return ReadChecked(file, node, name, current, check, DataFileRange(name));
}

// A code of a list of count entries; one that names nothing keeps the present code, noted.
std::uint8_t ReadCheckedCode(TXMLFile& file, TNode node, std::string_view name, std::uint8_t current, int count,
                             TInputCheck& check)
{
    const std::string text = file.ReadText(node, name, "");
    if (file.ReadStatus() != TXmlReadStatus::Ok) return current;
    const std::optional<long long> code = ParseInteger(text);
    if (code && *code >= 0 && *code < count) return static_cast<std::uint8_t>(*code);
    check.Note(name, "\"" + text + "\"", "is not one of 0 to " + std::to_string(count - 1),
               std::to_string(current) + " kept");
    return current;
}

struct TRangedElement {
    std::string_view Element;
    TValueRange (*RowRange)(int row);  // the main window's rows or the fluid dialog's
    int Row;
};

// Elements shown by a row of the main window or the fluid dialog.
constexpr std::array<TRangedElement, 13> kRangedElements = {{
    {"Pa", DocumentRowRange, rowBarometer},
    {"dbi", DocumentRowRange, rowAirOn},
    {"wbi", DocumentRowRange, rowAirOn},
    {"tfi", DocumentRowRange, rowFluidInlet},
    {"m", DocumentRowRange, rowFluidFlow},
    {"designdt", DocumentRowRange, rowDesignDT},
    {"vw", DocumentRowRange, rowTubeVelocity},
    {"t", FluidSpecRowRange, fsrTemperature},
    {"Pf", FluidSpecRowRange, fsrPressure},
    {"UserRo", FluidSpecRowRange, fsrDensity},
    {"UserCp", FluidSpecRowRange, fsrSpecificHeat},
    {"UserMu", FluidSpecRowRange, fsrViscosity},
    {"UserKo", FluidSpecRowRange, fsrConductivity},
}};

// ---- Record fields ----

// Each field under its name: text, a number in its format, a flag, a code with its name
// beside it, or a plain integer.
template <typename Rec, std::size_t N>
void WriteFields(TXMLFile& file, TNode node, const Rec& rec, const std::array<TRecordField<Rec>, N>& fields)
{
    for (const TRecordField<Rec>& field : fields) {
        VisitField(field, rec, [&](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>)
                file.WriteText(node, field.Name, true, value);
            else if constexpr (std::is_same_v<T, double>)
                WriteNumber(file, node, field.Name, field.Format, value);
            else if constexpr (std::is_same_v<T, bool>)
                file.WriteBool(node, field.Name, true, value);
            else if (field.CodeLabel)
                WriteCode(file, node, field.Name, value, field.CodeAttribute, field.CodeLabel(value));
            else
                file.WriteInteger(node, field.Name, true, value);
        });
    }
}

// Each field that is there replaces the record's value; a missing one keeps it. Numbers are
// checked against range(name); codes are taken as codes says.
template <typename Rec, std::size_t N, typename Range>
void ReadFields(TXMLFile& file, TNode node, Rec& rec, const std::array<TRecordField<Rec>, N>& fields,
                TCodeReading codes, TInputCheck& check, const Range& range)
{
    for (const TRecordField<Rec>& field : fields) {
        VisitField(field, rec, [&](auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>)
                value = file.ReadText(node, field.Name, value);
            else if constexpr (std::is_same_v<T, double>)
                value = ReadChecked(file, node, field.Name, value, check, range(field.Name));
            else if constexpr (std::is_same_v<T, bool>)
                value = file.ReadBool(node, field.Name, value);
            else if constexpr (std::is_same_v<T, std::uint8_t>)
                value = field.Codes > 0 && codes == TCodeReading::Checked
                            ? ReadCheckedCode(file, node, field.Name, value, field.Codes, check)
                            : ReadByte(file, node, field.Name, value);
            else
                value = file.ReadInteger(node, field.Name, value);
        });
    }
}

}  // namespace

// ---- File properties ----

void WriteFileProps(TXMLFile& file, TNode parent, const TFileProperties& properties)
{
    const TNode node = file.FindChild(parent, kFilePropsElement, -1, true);
    file.WriteText(node, "projectname", true, properties.ProjectName);
    file.WriteText(node, "projectnumber", true, properties.ProjectNumber);
    file.WriteText(node, "description", true, properties.EncodedDescription());
    file.WriteText(node, "author", true, properties.Author);
    file.WriteText(node, "company", true, properties.Company);
    file.WriteText(node, "date", true, properties.DateText());
}

void ReadFileProps(TXMLFile& file, TNode node, TFileProperties& properties)
{
    if (!node) return;
    properties.ProjectName = file.ReadText(node, "projectname", "");
    properties.ProjectNumber = file.ReadText(node, "projectnumber", "");
    properties.SetEncodedDescription(file.ReadText(node, "description", ""));
    properties.Author = file.ReadText(node, "author", "");
    properties.Company = file.ReadText(node, "company", "");
    properties.SetDateText(file.ReadText(node, "date", ""));
}

// ---- Geometry ----

void WriteModelRec(TXMLFile& file, TNode parent, const TModelRec& rec)
{
    WriteFields(file, file.FindChild(parent, kGeometryElement, -1, true), rec, ModelRecFields);
}

TModelRec ReadModelRec(TXMLFile& file, TNode node, TModelRec rec, TInputCheck& check)
{
    ReadFields(file, node, rec, ModelRecFields, TCodeReading::AsStored, check, DataFileRange);
    return rec;
}

void TakeGeometry(THotWaterCoil& coil, TCoilMakers& makers, const TModelRec& rec, TInputCheck& check)
{
    const TModelRec before = coil.Geometry().ModelRecord();
    coil.SetModelRecord(rec);
    coil.Geometry().RematchCatalogue(makers);
    const TModelRec matched = coil.Geometry().ModelRecord();
    // Also brings the tube side and the coil's copies of the figures up to date.
    coil.SetModelText(coil.Geometry().Designation());
    if (!coil.ModelValid) {
        // A record the coil cannot be built from leaves the coil it had.
        const TModelValues values = ModelValuesOf(rec);
        const std::string given = Format("%0.6g x %0.6g %0.6gr %0.6gf %0.6gc",
                                         {values.fHeight * 1000, values.fLength * 1000, values.Rows, values.fpi, values.Circ});
        coil.SetModelRecord(before);
        coil.SetModelText(coil.Geometry().Designation());
        check.Note("fat", "\"" + given + "\"", "is not a coil that can be built", coil.GetModelText() + " kept");
        return;
    }
    // The designation rounds the face to 0.001 mm; the file holds it exactly (a sized coil's
    // height and length have more digits), so the rated face is the one that was saved.
    TModelRec exact = coil.Geometry().ModelRecord();
    if (exact.fHeight == matched.fHeight && exact.fLength == matched.fLength) return;
    exact.fHeight = matched.fHeight;
    exact.fLength = matched.fLength;
    coil.SetModelRecord(exact);
}

TValueRange DataFileRange(std::string_view element)
{
    for (const TRangedElement& ranged : kRangedElements)
        if (ranged.Element == element) return ranged.RowRange(ranged.Row);
    return {};
}

void LimitAirFlow(TCoil& coil, std::string_view name, TInputCheck& check)
{
    const std::string prefix(name);
    const double velocity = coil.FaceVelocity();
    const double limitedVelocity = check.Checked(prefix + " (face velocity, m/s)", velocity, velocity,
                                                 DocumentRowRange(rowAirVelocity));
    if (limitedVelocity != velocity) coil.SetFaceVelocity(limitedVelocity);
    const double volume = coil.AirVolume();
    const double limitedVolume = check.Checked(prefix + " (air volume, m³/s)", volume, volume,
                                               DocumentRowRange(rowAirVolume));
    if (limitedVolume != volume) coil.SetAirVolume(limitedVolume);
}

TValueRange AdditiveVolumeRange(const TLiquid& liquid)
{
    const bool carriesAdditive = liquid.LiquidSpec == fcWater && !liquid.UserProps && liquid.WaterAdditive != waNone;
    return carriesAdditive ? FluidSpecRowRange(fsrAdditiveVolume) : TValueRange{};
}

TValueRange LiquidFieldRange(const TLiquid& liquid, std::string_view element)
{
    return element == "AdditiveVolume" ? AdditiveVolumeRange(liquid) : DataFileRange(element);
}

// ---- Air ----

void WriteAirStates(TXMLFile& file, TNode parent, const TCoil& coil)
{
    const TNode node = file.FindChild(parent, kAirElement, -1, true);
    file.SetAttribute(node, "text", "air state");
    const TMoistAirState& on = coil.AirOn();
    const TMoistAirState& off = coil.AirOff();
    WriteNumber(file, node, "Pa", "%0.3f", coil.Barometer());
    WriteNumber(file, node, "dbi", "%0.3f", on.db);
    WriteNumber(file, node, "wbi", "%0.3f", on.wb);
    WriteNumber(file, node, "dbo", "%0.3f", off.db);
    WriteNumber(file, node, "wbo", "%0.3f", off.wb);
    WriteNumber(file, node, "ma", "%0.3f", coil.AirMassFlow());
    file.SetAttribute(file.WriteFloat(node, "air_dp", true, "%0.3f", coil.AirPressureDrop()), "units", "Pa");
}

void ReadAirStates(TXMLFile& file, TNode node, TCoil& coil, TInputCheck& check)
{
    TMoistAirState& on = coil.AirOn();
    TMoistAirState& off = coil.AirOff();
    const double barometer = ReadChecked(file, node, "Pa", coil.Barometer(), check);
    on.db = ReadChecked(file, node, "dbi", on.db, check);
    on.wb = ReadChecked(file, node, "wbi", on.wb, check);
    off.db = ReadChecked(file, node, "dbo", off.db, check);
    off.wb = ReadChecked(file, node, "wbo", off.wb, check);
    // The entering air obeys the row's rules: a wet bulb above the dry bulb, or below that of
    // 1 % RH, is corrected and said so. The leaving air is a result and is solved again.
    TMoistAirState entering = on;
    // The file gives both bulbs, so the relative humidity for a missing wet bulb plays no part.
    NoteAirCorrections(ReadAirTemperatures(on.db, on.wb, entering, barometer, 0.5), "dbi", "wbi", check);
    on.db = entering.db;
    on.wb = entering.wb;
    // Both states from their bulbs at the barometer; the mass flow follows the face velocity
    // until the stored one replaces it.
    coil.SetBarometer(barometer);
    // "ma", or the older "MassFlow" when "ma" is missing or not a number.
    std::string name = "ma";
    std::string text = file.ReadText(node, name, "");
    const bool hasMa = file.ReadStatus() == TXmlReadStatus::Ok;
    if (!hasMa || !ParseDouble(text)) {
        const std::string older = file.ReadText(node, "MassFlow", "");
        if (file.ReadStatus() == TXmlReadStatus::Ok) {
            name = "MassFlow";
            text = older;
        } else if (!hasMa) {
            return;
        }
    }
    // No air at all is no air flow anybody rates.
    coil.SetMassFlow(check.Checked(name, text, coil.AirMassFlow(), {0, 0, false, true}));
    LimitAirFlow(coil, name, check);
}

// ---- Liquid ----

void WriteLiquid(TXMLFile& file, TNode parent, const TLiquid& liquid)
{
    WriteFields(file, file.FindChild(parent, kLiquidElement, -1, true), liquid, LiquidFields);
}

void ReadLiquid(TXMLFile& file, TNode node, TLiquid& liquid, TInputCheck& check)
{
    // A file from before the user's properties has none.
    liquid.UserProps = false;
    ReadFields(file, node, liquid, LiquidFields, TCodeReading::Checked, check,
               [&liquid](std::string_view name) { return LiquidFieldRange(liquid, name); });
    liquid.Update();
}

// ---- Liquid state ----

void WriteLiquidState(TXMLFile& file, TNode parent, const TLiquidState& state)
{
    const TNode node = file.FindChild(parent, kLiquidStateElement, -1, true);
    WriteLiquid(file, node, state.Liquid());
    WriteNumber(file, node, "designdt", "%0.3f", state.designdt);
    WriteNumber(file, node, "cw", "%0.6g", state.cw);
    WriteNumber(file, node, "vw", "%0.6g", state.vw);
    WriteNumber(file, node, "vwideal", "%0.3f", state.vwideal);
    file.WriteInteger(node, "ctrl", true, FluidControlCode(state.ctrl));
}

void ReadLiquidState(TXMLFile& file, TNode node, TLiquidState& state, TInputCheck& check)
{
    if (const TNode liquid = file.FindChild(node, kLiquidElement)) ReadLiquid(file, liquid, state.Liquid(), check);
    state.designdt = ReadChecked(file, node, "designdt", state.designdt, check);
    state.cw = ReadChecked(file, node, "cw", state.cw, check);
    state.vw = ReadChecked(file, node, "vw", state.vw, check);
    state.vwideal = ReadChecked(file, node, "vwideal", state.vwideal, check);
    const int control = ReadCheckedCode(file, node, "ctrl", static_cast<std::uint8_t>(FluidControlCode(state.ctrl)),
                                        kFluidControlCount, check);
    state.ctrl = FluidControlOfCode(control).value_or(state.ctrl);
}

// ---- The coil ----

void WriteHotWaterCoil(TXMLFile& file, TNode parent, const THotWaterCoil& coil)
{
    const TNode node = file.FindChild(parent, kCoilElement, -1, true);
    const TModelRec& rec = coil.Geometry().ModelRecord();
    file.SetAttribute(node, "caption", Format("%s, %d, %s", {rec.Mnf, static_cast<int>(rec.Tube),
                                                             coil.Geometry().Designation()}));
    WriteNumber(file, node, "Qt", "%0.3f", coil.Qt);
    WriteNumber(file, node, "Qs", "%0.3f", coil.Qs);
    WriteNumber(file, node, "e", "%0.3f", coil.e);
    WriteNumber(file, node, "Ntu", "%0.3f", coil.Ntu);
    WriteNumber(file, node, "Cr", "%0.3f", coil.Cr);
    WriteModelRec(file, node, rec);
    WriteAirStates(file, node, coil);
    WriteLiquidState(file, node, coil.LiquidState);
    file.SetAttribute(file.WriteFloat(node, "liquid_dp", true, "%0.6g", coil.FluidPressureDrop()), "units", "kPa");
}

void ReadHotWaterCoil(TXMLFile& file, TNode node, THotWaterCoil& coil, TCoilMakers& makers, TInputCheck& check)
{
    // The results of the last solve; a solve replaces them.
    coil.Qt = ReadChecked(file, node, "Qt", 0, check);
    coil.Qs = ReadChecked(file, node, "Qs", 0, check);
    coil.e = ReadChecked(file, node, "e", 0, check);
    coil.Ntu = ReadChecked(file, node, "Ntu", 0, check);
    coil.Cr = ReadChecked(file, node, "Cr", 0, check);
    TNode geometry = file.FindChild(node, kGeometryElement);
    if (!geometry) geometry = file.FindChild(node, kOldGeometryElement);
    if (geometry) TakeGeometry(coil, makers, ReadModelRec(file, geometry, coil.Geometry().ModelRecord(), check), check);
    if (const TNode air = file.FindChild(node, kAirElement)) ReadAirStates(file, air, coil, check);
    if (const TNode state = file.FindChild(node, kLiquidStateElement))
        ReadLiquidState(file, state, coil.LiquidState, check);
}

}  // namespace vantor

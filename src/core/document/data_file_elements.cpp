#include "document/data_file_elements.h"

#include "fluids/liquid.h"
#include "geometry/circuit_fractions.h"
#include "geometry/coil_makers.h"
#include "geometry/designation.h"
#include "geometry/materials.h"
#include "model/hot_water_coil.h"
#include "model/liquid_state.h"
#include "reports/file_properties.h"
#include "text/format.h"
#include "text/number_text.h"

#include <cstdint>
#include <limits>
#include <string>

namespace vantor {

namespace {

using TNode = TXMLFile::TNode;

template <std::size_t N>
std::string_view NameAt(const std::array<std::string_view, N>& names, int index)
{
    return index >= 0 && index < static_cast<int>(N) ? names[static_cast<std::size_t>(index)] : std::string_view();
}

std::string_view CoilTypeName(int code)
{
    return code >= 0 && code < kCoilTypeCount ? CoilTypeCodes[static_cast<std::size_t>(code)].General
                                               : std::string_view();
}

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
    const TNode node = file.FindChild(parent, kGeometryElement, -1, true);
    file.WriteText(node, "Mnf", true, rec.Mnf);
    file.WriteInteger(node, "Tube", true, rec.Tube);
    file.WriteText(node, "Model", true, rec.Model);
    WriteCode(file, node, "Code", rec.Code, "caption", CoilTypeName(rec.Code));
    WriteNumber(file, node, "fHeight", "%0.6g", rec.fHeight);
    WriteNumber(file, node, "fLength", "%0.6g", rec.fLength);
    WriteNumber(file, node, "Rows", "%0.6g", rec.Rows);
    WriteNumber(file, node, "fpi", "%0.6g", rec.fpi);
    WriteNumber(file, node, "Circ", "%0.6g", rec.Circ);
    WriteCode(file, node, "cb", rec.cb, "text", CircuitBasisLabel(rec.cb));
    WriteCode(file, node, "Serp", rec.Serp, "caption", CircuitFractionLabel(rec.Serp));
    WriteNumber(file, node, "Sx", "%0.7f", rec.Sx);
    WriteNumber(file, node, "Sy", "%0.7f", rec.Sy);
    WriteCode(file, node, "tp", rec.tp, "text", TubePatternLabel(rec.tp));
    WriteNumber(file, node, "ID", "%0.7f", rec.ID);
    WriteNumber(file, node, "OD", "%0.7f", rec.OD);
    WriteNumber(file, node, "tf", "%0.7f", rec.tf);
    WriteNumber(file, node, "fc", "%0.5f", rec.fc);
    WriteNumber(file, node, "ft", "%0.5f", rec.ft);
    file.WriteBool(node, "Rifle", true, rec.Rifle);
    file.WriteInteger(node, "Sections", true, rec.Sections);
    WriteCode(file, node, "Mf", rec.Mf, "caption", MaterialAt(rec.Mf, kAluminium).Code);
    WriteCode(file, node, "Mt", rec.Mt, "caption", MaterialAt(rec.Mt, kCopper).Code);
    WriteCode(file, node, "Mc", rec.Mc, "caption", MaterialAt(rec.Mc, kGalvanisedIron).Code);
    WriteNumber(file, node, "tc", "%0.5f", rec.tc);
}

TModelRec ReadModelRec(TXMLFile& file, TNode node, TModelRec rec)
{
    rec.Mnf = file.ReadText(node, "Mnf", rec.Mnf);
    rec.Tube = ReadByte(file, node, "Tube", rec.Tube);
    rec.Model = file.ReadText(node, "Model", rec.Model);
    rec.Code = ReadByte(file, node, "Code", rec.Code);
    rec.fHeight = file.ReadFloat(node, "fHeight", rec.fHeight);
    rec.fLength = file.ReadFloat(node, "fLength", rec.fLength);
    rec.Rows = file.ReadFloat(node, "Rows", rec.Rows);
    rec.fpi = file.ReadFloat(node, "fpi", rec.fpi);
    rec.Circ = file.ReadFloat(node, "Circ", rec.Circ);
    rec.cb = file.ReadInteger(node, "cb", rec.cb);
    rec.Serp = file.ReadInteger(node, "Serp", rec.Serp);
    rec.Sx = file.ReadFloat(node, "Sx", rec.Sx);
    rec.Sy = file.ReadFloat(node, "Sy", rec.Sy);
    rec.tp = ReadByte(file, node, "tp", rec.tp);
    rec.ID = file.ReadFloat(node, "ID", rec.ID);
    rec.OD = file.ReadFloat(node, "OD", rec.OD);
    rec.tf = file.ReadFloat(node, "tf", rec.tf);
    rec.fc = file.ReadFloat(node, "fc", rec.fc);
    rec.ft = file.ReadFloat(node, "ft", rec.ft);
    rec.Rifle = file.ReadBool(node, "Rifle", rec.Rifle);
    rec.Sections = file.ReadInteger(node, "Sections", rec.Sections);
    rec.Mf = ReadByte(file, node, "Mf", rec.Mf);
    rec.Mt = ReadByte(file, node, "Mt", rec.Mt);
    rec.Mc = ReadByte(file, node, "Mc", rec.Mc);
    rec.tc = file.ReadFloat(node, "tc", rec.tc);
    return rec;
}

void TakeGeometry(THotWaterCoil& coil, TCoilMakers& makers, const TModelRec& rec)
{
    coil.SetModelRecord(rec);
    coil.Geometry().RematchCatalogue(makers);
    const TModelRec matched = coil.Geometry().ModelRecord();
    // Also brings the tube side and the coil's copies of the figures up to date.
    coil.SetModelText(coil.Geometry().Designation());
    // The designation rounds the face to 0.001 mm; the file holds it exactly (a sized coil's
    // height and length have more digits), so the rated face is the one that was saved.
    if (!coil.ModelValid) return;
    TModelRec exact = coil.Geometry().ModelRecord();
    if (exact.fHeight == matched.fHeight && exact.fLength == matched.fLength) return;
    exact.fHeight = matched.fHeight;
    exact.fLength = matched.fLength;
    coil.SetModelRecord(exact);
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

void ReadAirStates(TXMLFile& file, TNode node, TCoil& coil)
{
    TMoistAirState& on = coil.AirOn();
    TMoistAirState& off = coil.AirOff();
    const double barometer = file.ReadFloat(node, "Pa", coil.Barometer());
    on.db = file.ReadFloat(node, "dbi", on.db);
    on.wb = file.ReadFloat(node, "wbi", on.wb);
    off.db = file.ReadFloat(node, "dbo", off.db);
    off.wb = file.ReadFloat(node, "wbo", off.wb);
    // Both states from their bulbs at the barometer; the mass flow follows the face velocity
    // until the stored one replaces it.
    coil.SetBarometer(barometer);
    double massFlow = file.ReadFloat(node, "ma", coil.AirMassFlow());
    if (file.ReadStatus() != TXMLFile::ReadOk) massFlow = file.ReadFloat(node, "MassFlow", coil.AirMassFlow());
    coil.SetMassFlow(massFlow);
}

// ---- Liquid ----

void WriteLiquid(TXMLFile& file, TNode parent, const TLiquid& liquid)
{
    const TNode node = file.FindChild(parent, kLiquidElement, -1, true);
    file.WriteText(node, "Caption", true, liquid.Caption);
    WriteNumber(file, node, "t", "%0.3f", liquid.t);
    WriteNumber(file, node, "tfi", "%0.3f", liquid.tfi);
    WriteNumber(file, node, "tfo", "%0.3f", liquid.tfo);
    WriteNumber(file, node, "Pf", "%0.3f", liquid.Pf);
    WriteNumber(file, node, "m", "%0.3f", liquid.m);
    WriteNumber(file, node, "Cp", "%0.6g", liquid.Cp);
    WriteNumber(file, node, "ro", "%0.6g", liquid.ro);
    WriteNumber(file, node, "Ko", "%0.6g", liquid.Ko);
    WriteNumber(file, node, "mu", "%0.6g", liquid.mu);
    WriteNumber(file, node, "Pr", "%0.5f", liquid.Pr);
    file.WriteBool(node, "UserProps", true, liquid.UserProps);
    WriteNumber(file, node, "UserRo", "%0.6g", liquid.UserRo);
    WriteNumber(file, node, "UserCp", "%0.6g", liquid.UserCp);
    WriteNumber(file, node, "UserMu", "%0.6g", liquid.UserMu);
    WriteNumber(file, node, "UserKo", "%0.6g", liquid.UserKo);
    WriteCode(file, node, "LiquidSpec", liquid.LiquidSpec, "caption", NameAt(LiquidSpecNames, liquid.LiquidSpec));
    WriteCode(file, node, "WaterAdditive", liquid.WaterAdditive, "caption",
              NameAt(AdditiveNames, liquid.WaterAdditive));
    WriteNumber(file, node, "AdditiveVolume", "%0.3f", liquid.AdditiveVolume);
}

void ReadLiquid(TXMLFile& file, TNode node, TLiquid& liquid)
{
    liquid.Caption = file.ReadText(node, "Caption", liquid.Caption);
    liquid.t = file.ReadFloat(node, "t", liquid.t);
    liquid.tfi = file.ReadFloat(node, "tfi", liquid.tfi);
    liquid.tfo = file.ReadFloat(node, "tfo", liquid.tfo);
    // The pressure keeps its rule: a value that is not positive is ignored.
    const double pressure = file.ReadFloat(node, "Pf", liquid.Pf);
    if (pressure > 0) liquid.Pf = pressure;
    liquid.m = file.ReadFloat(node, "m", liquid.m);
    liquid.Cp = file.ReadFloat(node, "Cp", liquid.Cp);
    liquid.ro = file.ReadFloat(node, "ro", liquid.ro);
    liquid.Ko = file.ReadFloat(node, "Ko", liquid.Ko);
    liquid.mu = file.ReadFloat(node, "mu", liquid.mu);
    liquid.Pr = file.ReadFloat(node, "Pr", liquid.Pr);
    liquid.UserProps = file.ReadBool(node, "UserProps", false);
    liquid.UserRo = file.ReadFloat(node, "UserRo", liquid.UserRo);
    liquid.UserCp = file.ReadFloat(node, "UserCp", liquid.UserCp);
    liquid.UserMu = file.ReadFloat(node, "UserMu", liquid.UserMu);
    liquid.UserKo = file.ReadFloat(node, "UserKo", liquid.UserKo);
    liquid.LiquidSpec = ReadByte(file, node, "LiquidSpec", liquid.LiquidSpec);
    liquid.WaterAdditive = ReadByte(file, node, "WaterAdditive", liquid.WaterAdditive);
    liquid.AdditiveVolume = file.ReadFloat(node, "AdditiveVolume", liquid.AdditiveVolume);
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
    file.WriteInteger(node, "ctrl", true, state.ctrl);
}

void ReadLiquidState(TXMLFile& file, TNode node, TLiquidState& state)
{
    if (const TNode liquid = file.FindChild(node, kLiquidElement)) ReadLiquid(file, liquid, state.Liquid());
    state.designdt = file.ReadFloat(node, "designdt", state.designdt);
    state.cw = file.ReadFloat(node, "cw", state.cw);
    state.vw = file.ReadFloat(node, "vw", state.vw);
    state.vwideal = file.ReadFloat(node, "vwideal", state.vwideal);
    const int control = file.ReadInteger(node, "ctrl", state.ctrl);
    if (control == ctrlTemperature || control == ctrlFlow) state.ctrl = static_cast<std::uint8_t>(control);
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

void ReadHotWaterCoil(TXMLFile& file, TNode node, THotWaterCoil& coil, TCoilMakers& makers)
{
    coil.Qt = file.ReadFloat(node, "Qt", 0);
    coil.Qs = file.ReadFloat(node, "Qs", 0);
    coil.e = file.ReadFloat(node, "e", 0);
    coil.Ntu = file.ReadFloat(node, "Ntu", 0);
    coil.Cr = file.ReadFloat(node, "Cr", 0);
    TNode geometry = file.FindChild(node, kGeometryElement);
    if (!geometry) geometry = file.FindChild(node, kOldGeometryElement);
    if (geometry) TakeGeometry(coil, makers, ReadModelRec(file, geometry, coil.Geometry().ModelRecord()));
    if (const TNode air = file.FindChild(node, kAirElement)) ReadAirStates(file, air, coil);
    if (const TNode state = file.FindChild(node, kLiquidStateElement)) ReadLiquidState(file, state, coil.LiquidState);
}

}  // namespace vantor

#pragma once

// The elements of the XML data file, one writer and one reader per model object. Writers
// create each element once under its parent (reusing one that exists) in the file's order;
// readers take the element itself and keep the object's present value for every child that
// is missing, so older and partial files read as far as they go. A number is checked as a
// typed value is: one that cannot be read or is not finite keeps the present value, one beyond
// the range of the row (of the main window or the fluid dialog) that shows it takes the nearer
// limit, and the check notes each with the value used.
//
//   datafile
//     fileprops     projectname projectnumber description author company date
//     vantor        Qt Qs e Ntu Cr fat air liquidstate liquid_dp
//       fat         the coil model record
//       air         Pa dbi wbi dbo wbo ma air_dp
//       liquidstate liquid designdt cw vw vwideal ctrl
//
// Units are SI: °C, kPa (the fluid pressure in bar, "air_dp" in Pa), m, kg/s, kW.

#include "xml/xml_file.h"

#include "fluids/air_state_text.h"
#include "geometry/model_rec.h"
#include "rows/input_check.h"

#include <string_view>

namespace vantor {

class TCoil;
class TCoilMakers;
class TFileProperties;
class THotWaterCoil;
class TLiquid;
class TLiquidState;

// How a reader takes a code field: as stored, when the record repairs its codes itself (the
// model record), or checked against the field's codes, one that names nothing keeping the
// present value (the liquid).
enum class TCodeReading { AsStored, Checked };

inline constexpr std::string_view kFilePropsElement = "fileprops";
inline constexpr std::string_view kCoilElement = "vantor";
inline constexpr std::string_view kOldCoilElement = "hotwatercoil";
inline constexpr std::string_view kGeometryElement = "fat";
inline constexpr std::string_view kOldGeometryElement = "finandtube";
inline constexpr std::string_view kAirElement = "air";
inline constexpr std::string_view kLiquidStateElement = "liquidstate";
inline constexpr std::string_view kLiquidElement = "liquid";

// "fileprops"; the description on one line ("%13%10" for each line break), the date
// "dd mm yyyy". Reading an element that is there replaces all six values: missing texts
// become empty and a date that cannot be read becomes today.
void WriteFileProps(TXMLFile& file, TXMLFile::TNode parent, const TFileProperties& properties);
void ReadFileProps(TXMLFile& file, TXMLFile::TNode node, TFileProperties& properties);

// "fat": every field of ModelRecFields, the codes with their names as attributes. A code
// that fits no byte field keeps the value of rec; the others are taken as stored.
void WriteModelRec(TXMLFile& file, TXMLFile::TNode parent, const TModelRec& rec);
TModelRec ReadModelRec(TXMLFile& file, TXMLFile::TNode node, TModelRec rec, TInputCheck& check);

// "air": the mean barometer, the four temperatures, the mass flow and the pressure drop
// (written only). Reading puts the temperatures into the states, forms both again at the
// barometer from dry and wet bulb, then sets the mass flow ("MassFlow" when "ma" is missing
// or not a number).
void WriteAirStates(TXMLFile& file, TXMLFile::TNode parent, const TCoil& coil);
void ReadAirStates(TXMLFile& file, TXMLFile::TNode node, TCoil& coil, TInputCheck& check);
// "liquid": every field of LiquidFields (temperatures, pressure, flow, properties, the
// user's properties and the fluid codes). Reading recomputes the properties afterwards.
void WriteLiquid(TXMLFile& file, TXMLFile::TNode parent, const TLiquid& liquid);
void ReadLiquid(TXMLFile& file, TXMLFile::TNode node, TLiquid& liquid, TInputCheck& check);

// "liquidstate" with its liquid first. A control other than 0 or 1 keeps the present one.
void WriteLiquidState(TXMLFile& file, TXMLFile::TNode parent, const TLiquidState& state);
void ReadLiquidState(TXMLFile& file, TXMLFile::TNode node, TLiquidState& state, TInputCheck& check);

// "vantor": the results, then geometry, air and liquid state; its "caption" attribute is
// informative only. Reading takes "fat" or else "finandtube" through TakeGeometry.
void WriteHotWaterCoil(TXMLFile& file, TXMLFile::TNode parent, const THotWaterCoil& coil);
void ReadHotWaterCoil(TXMLFile& file, TXMLFile::TNode node, THotWaterCoil& coil, TCoilMakers& makers,
                      TInputCheck& check);

// A geometry record read from a data file: the coil takes it, its tube range is matched
// against the maker's catalogue, and the coil takes the designation that results. A record
// the coil cannot be built from leaves the coil it had, noted.
void TakeGeometry(THotWaterCoil& coil, TCoilMakers& makers, const TModelRec& rec, TInputCheck& check);

// The range a stored number is held to, by its element name: the range of the row that shows
// it; no range for the others. The additive volume's depends on the fluid (see ReadLiquid).
TValueRange DataFileRange(std::string_view element);

// The face velocity and air volume a stored air mass flow gives are held to their rows'
// ranges; name is the element the mass flow came from.
void LimitAirFlow(TCoil& coil, std::string_view name, TInputCheck& check);

// The additive volume's range: the fluid dialog's when water carries an additive, else any.
TValueRange AdditiveVolumeRange(const TLiquid& liquid);
// The range a stored number of the liquid is held to: DataFileRange, or for the additive
// volume AdditiveVolumeRange.
TValueRange LiquidFieldRange(const TLiquid& liquid, std::string_view element);

}  // namespace vantor

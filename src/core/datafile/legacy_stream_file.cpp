#include "datafile/legacy_stream_file.h"

#include "datafile/data_file_elements.h"
#include "datafile/legacy_stream.h"
#include "fluids/liquid.h"
#include "fluids/transport_props.h"
#include "geometry/coil_makers.h"
#include "model/hot_water_coil.h"
#include "reports/file_properties.h"
#include "text/text_routines.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace vantor {

namespace {

// The part of the raw record read to recognise it: a length byte and up to 255 characters.
constexpr std::size_t kMakerNameBytes = 256;

constexpr std::array<std::string_view, 3> kGeometryVersions = {"FAT 1.0.0.1", "FAT 1.0.0.2", "FAT 1.0.0.3"};

std::uint8_t ToByte(long long value, std::uint8_t current)
{
    return value >= 0 && value <= std::numeric_limits<std::uint8_t>::max() ? static_cast<std::uint8_t>(value)
                                                                           : current;
}

// Little-endian fields of a raw block; a double that is not finite fails the read.
class TRawBlock {
public:
    explicit TRawBlock(std::string_view bytes) : m_bytes(bytes) {}

    std::uint8_t Byte(std::size_t offset) const { return static_cast<std::uint8_t>(m_bytes[offset]); }

    std::uint64_t Unsigned(std::size_t offset, std::size_t count) const
    {
        std::uint64_t value = 0;
        for (std::size_t i = count; i-- > 0;) value = (value << 8) | Byte(offset + i);
        return value;
    }

    std::int32_t Int32(std::size_t offset) const
    {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(Unsigned(offset, 4)));
    }

    double Double(std::size_t offset) const
    {
        const double value = std::bit_cast<double>(Unsigned(offset, 8));
        if (!std::isfinite(value)) throw ELegacyStreamError("number out of range in a raw record");
        return value;
    }

    // A length byte and that many characters.
    std::string ShortString(std::size_t offset) const
    {
        return Windows1252ToUtf8(m_bytes.substr(offset + 1, Byte(offset)));
    }

private:
    std::string_view m_bytes;
};

// The fields of rec that the stream's record of the given version holds, in the stream's
// order: texts, numbers passed through number(name, read, present), flags and integers (a
// code checked against its field when codes says so; an integer that fits no byte keeps the
// present value of a byte field).
template <typename Rec, std::size_t N, typename Number>
void ReadStreamFields(TLegacyStream& stream, Rec& rec, const std::array<TRecordField<Rec>, N>& fields, int version,
                      TCodeReading codes, const Number& number)
{
    for (const TRecordField<Rec>* field : InSlotOrder(fields, &TRecordField<Rec>::StreamSlot)) {
        if (field->StreamSince > version) continue;
        VisitField(*field, rec, [&](auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                value = stream.ReadString();
            } else if constexpr (std::is_same_v<T, double>) {
                value = number(field->Name, stream.ReadFloat(), value);
            } else if constexpr (std::is_same_v<T, bool>) {
                value = stream.ReadBool();
            } else if constexpr (std::is_same_v<T, std::uint8_t>) {
                const int read = stream.ReadInteger();
                const bool named = field->Codes == 0 || codes == TCodeReading::AsStored || read < field->Codes;
                value = named ? ToByte(read, value) : value;
            } else {
                value = stream.ReadInteger();
            }
        });
    }
}

// The oldest geometry: a packed record of 384 bytes. It knows no range, pattern, circuit
// basis or tube area factor; the coil type stays as it is.
void ReadRawGeometry(TLegacyStream& stream, TModelRec& rec)
{
    const TRawBlock raw(stream.ReadRaw(kLegacyRecordSize));
    rec.Mnf = raw.ShortString(0);
    rec.Model.clear();
    rec.Tube = raw.Byte(256);
    rec.fHeight = raw.Double(264);
    rec.fLength = raw.Double(272);
    rec.Rows = raw.Double(280);
    rec.fpi = raw.Int32(288);
    rec.Circ = raw.Double(296);
    rec.Serp = raw.Int32(304);
    rec.Sx = raw.Double(312);
    rec.Sy = raw.Double(320);
    rec.ID = raw.Double(328);
    rec.OD = raw.Double(336);
    rec.tf = raw.Double(344);
    rec.fc = raw.Double(352);
    rec.Rifle = raw.Byte(360) != 0;
    rec.Sections = raw.Int32(364);
    rec.Mf = raw.Byte(368);
    rec.Mt = raw.Byte(369);
    rec.Mc = raw.Byte(370);
    rec.tc = raw.Double(376);
    rec.cb = kBasisTubesHigh;
    rec.tp = kStaggered;
    rec.ft = 1.0;
}

// "FAT 1.0.0.1" lacks the range, the circuit basis and the tube area factor; "FAT 1.0.0.2"
// the range and the tube area factor.
void ReadVersionedGeometry(TLegacyStream& stream, TModelRec& rec)
{
    const std::size_t start = stream.Position();
    const std::string version = stream.ReadString();
    std::size_t form = 0;
    while (form < kGeometryVersions.size() && !SameText(version, kGeometryVersions[form])) ++form;
    if (form == kGeometryVersions.size())
        throw ELegacyStreamError("unknown geometry version at byte " + std::to_string(start));
    const int generation = static_cast<int>(form) + 1;
    ReadStreamFields(stream, rec, ModelRecFields, generation, TCodeReading::AsStored,
                     [](std::string_view, double read, double) { return read; });
    // A field the version does not hold takes the value of a new record.
    const TModelRec fresh;
    for (const TRecordField<TModelRec>& field : ModelRecFields)
        if (field.StreamSince > generation) CopyField(field, fresh, rec);
    // The versions hold whole rows only.
    rec.Rows = std::trunc(rec.Rows);
}

void ReadAirState(TLegacyStream& stream, TMoistAirState& state)
{
    const TRawBlock raw(stream.ReadRaw(kLegacyAirStateSize));
    std::array<double, kLegacyAirStateSize / sizeof(double)> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = raw.Double(i * sizeof(double));
    state = std::bit_cast<TMoistAirState>(fields);
}

void ReadProperties(TLegacyStream& stream, TFileProperties& properties)
{
    properties.ProjectName = stream.ReadString();
    properties.ProjectNumber = stream.ReadString();
    properties.Description = stream.ReadString();
    properties.Author = stream.ReadString();
    properties.Company = stream.ReadString();
    properties.Date = LegacyDate(stream.ReadDate());
}

// The next float, checked as the element of the same name of an XML data file is.
double ReadChecked(TLegacyStream& stream, std::string_view name, double current, TInputCheck& check)
{
    return check.Checked(name, stream.ReadFloat(), current, DataFileRange(name));
}

void ReadLiquid(TLegacyStream& stream, TLiquid& liquid, TInputCheck& check)
{
    ReadStreamFields(stream, liquid, LiquidFields, 1, TCodeReading::Checked,
                     [&](std::string_view name, double read, double present) {
                         return check.Checked(name, read, present, LiquidFieldRange(liquid, name));
                     });
    // The stored mean gives way to the mean of the stored inlet and outlet.
    liquid.t = (liquid.tfi + liquid.tfo) / 2.0;
    liquid.Update();
}

void ReadLiquidState(TLegacyStream& stream, TLiquidState& state, TInputCheck& check)
{
    state.SetInletTemp(ReadChecked(stream, "tfi", state.InletTemp(), check));
    state.SetLeavingTemp(ReadChecked(stream, "tfo", state.LeavingTemp(), check));
    state.SetMassFlow(ReadChecked(stream, "m", state.MassFlow(), check));
    // A number that names no control keeps the present one.
    state.ctrl = FluidControlOfCode(stream.ReadInteger()).value_or(state.ctrl);
}

}  // namespace

std::chrono::year_month_day LegacyDate(double days)
{
    using namespace std::chrono;
    constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};
    constexpr double kFirst = (sys_days{year{1} / January / 1} - kEpoch).count();
    constexpr double kLast = (sys_days{year{9999} / December / 31} - kEpoch).count();
    // The fraction is the time of day, whichever side of the epoch the date lies.
    const double whole = std::trunc(days);
    if (!(whole >= kFirst && whole <= kLast)) return Today();
    return year_month_day{kEpoch + std::chrono::days{static_cast<int>(whole)}};
}

void ReadLegacyGeometry(TLegacyStream& stream, const std::vector<std::string>& makers, TModelRec& rec)
{
    const TRawBlock head(stream.PeekRaw(kMakerNameBytes));
    const std::string name = head.ShortString(0);
    bool raw = false;
    for (const std::string& maker : makers) raw = raw || SameText(name, maker);
    if (raw)
        ReadRawGeometry(stream, rec);
    else
        ReadVersionedGeometry(stream, rec);
}

TResult ReadLegacyDataFile(std::string_view bytes, const TDataFileModel& model)
{
    TLegacyStream stream(bytes);
    bool hasSignature = false;
    try {
        hasSignature = stream.ReadString() == kLegacySignature;
    } catch (const ELegacyStreamError&) {
        // Not even a string first: no data file either.
    }
    if (!hasSignature) return TResult::Error(dfInvalidFormat, std::string(kInvalidFileFormat));

    THotWaterCoil& coil = model.Coil;
    TInputCheck unused;
    TInputCheck& check = model.Check ? *model.Check : unused;
    try {
        ReadProperties(stream, model.Properties);
        coil.Qt = check.Checked("Qt", stream.ReadFloat(), 0, {});
        coil.Qs = check.Checked("Qs", stream.ReadFloat(), 0, {});
        TModelRec rec = coil.Geometry().ModelRecord();
        ReadLegacyGeometry(stream, model.Makers.MakerNames(), rec);
        TakeGeometry(coil, model.Makers, rec, check);
        ReadAirState(stream, coil.AirOn());
        ReadAirState(stream, coil.AirOff());
        coil.SetMassFlow(check.Checked("ma", stream.ReadFloat(), coil.AirMassFlow(), {0, 0, false, true}));
        LimitAirFlow(coil, "ma", check);
        ReadLiquid(stream, coil.LiquidState.Liquid(), check);
        ReadLiquidState(stream, coil.LiquidState, check);
    } catch (const std::exception&) {
        return TResult::Error(dfReadError, std::string(kErrorReadingFile));
    }
    return TResult::Ok();
}

}  // namespace vantor

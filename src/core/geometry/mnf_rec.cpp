#include "geometry/mnf_rec.h"

#include "text/format.h"
#include "text/line_parser.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <cmath>

namespace vantor {

namespace {

constexpr int kOlderFormTubeCode = 4;
constexpr int kMaxTubeCode = 255;

// A catalogue dimension in mm, as metres; nothing unless it is a positive number.
std::optional<double> ReadDimension(std::string_view text)
{
    const std::optional<double> mm = ParseDouble(text);
    if (!mm || !std::isfinite(*mm) || *mm <= 0) return std::nullopt;
    return *mm * 0.001;
}

std::optional<double> ReadFactor(std::string_view text)
{
    const std::optional<double> factor = ParseDouble(text);
    if (!factor || !std::isfinite(*factor) || *factor <= 0) return std::nullopt;
    return factor;
}

// The leading digits of a field ("4i" -> 4, "1abc" -> 1); nothing without one.
std::optional<long long> LeadingInteger(std::string_view text, size_t& digits)
{
    digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    if (digits == 0) return std::nullopt;
    return ParseInteger(text.substr(0, digits));
}

int ValidBasis(long long basis)
{
    return basis == kBasisRowsDeep ? kBasisRowsDeep : kBasisTubesHigh;
}

// Reads the five dimensions of fields[first] .. fields[first + 4] into rec.
bool ReadDimensions(const std::vector<std::string>& fields, size_t first, TMnfRec& rec)
{
    double* const targets[] = {&rec.id, &rec.od, &rec.sx, &rec.sy, &rec.t};
    for (size_t i = 0; i < 5; ++i) {
        const std::optional<double> value = ReadDimension(fields[first + i]);
        if (!value) return false;
        *targets[i] = *value;
    }
    return true;
}

std::optional<TMnfRec> ReadTwelveFields(std::string_view maker, const std::vector<std::string>& fields)
{
    TMnfRec rec;
    rec.maker = LimitedName(maker);
    rec.name = LimitedName(fields[0]);
    rec.d = 0;
    if (!ReadDimensions(fields, 1, rec)) return std::nullopt;
    rec.kind = SameText(fields[6], "In-line") ? kInLine : kStaggered;
    rec.tubeMaterial = LimitedName(fields[7]);
    rec.finMaterial = LimitedName(fields[8]);
    const std::optional<double> finFactor = ReadFactor(fields[9]);
    const std::optional<double> tubeFactor = ReadFactor(fields[10]);
    const std::optional<long long> basis = ParseInteger(fields[11]);
    if (!finFactor || !tubeFactor || !basis) return std::nullopt;
    rec.finFactor = *finFactor;
    rec.tubeFactor = *tubeFactor;
    rec.basis = ValidBasis(*basis);
    return rec;
}

std::optional<TMnfRec> ReadOlderForm(std::string_view maker, std::string_view line, int& tubeCode)
{
    tubeCode = kOlderFormTubeCode;
    TLineParser parser;
    std::vector<std::string> fields;
    parser.SplitInto(line, 10, fields);

    size_t digits = 0;
    const std::optional<long long> code = LeadingInteger(fields[0], digits);
    if (!code || *code > kMaxTubeCode) return std::nullopt;
    tubeCode = static_cast<int>(*code);

    TMnfRec rec;
    rec.maker = LimitedName(maker);
    rec.d = tubeCode;
    const std::string_view rest = std::string_view(fields[0]).substr(digits);
    rec.kind = !rest.empty() && (rest[0] == 'i' || rest[0] == 'I') ? kInLine : kStaggered;
    if (!ReadDimensions(fields, 1, rec)) return std::nullopt;
    rec.tubeMaterial = LimitedName(fields[6]);
    rec.finMaterial = LimitedName(fields[7]);
    const std::optional<double> finFactor = ReadFactor(fields[8]);
    const std::optional<long long> basis = LeadingInteger(fields[9], digits);
    if (!finFactor || !basis) return std::nullopt;
    rec.finFactor = *finFactor;
    rec.tubeFactor = 1;
    rec.basis = ValidBasis(*basis);
    return rec;
}

}  // namespace

TMnfRec DefaultMnfRec()
{
    TMnfRec rec;
    rec.maker = "Default";
    rec.name = "1/2 inch";
    rec.d = 4;
    rec.id = 0.0125222;
    rec.od = 0.013335;
    rec.sx = 0.033;
    rec.sy = 0.0381;
    rec.t = 0.00015;
    rec.kind = kStaggered;
    rec.tubeMaterial = "Cu";
    rec.finMaterial = "Al";
    rec.finFactor = 1;
    rec.tubeFactor = 1;
    rec.basis = kBasisTubesHigh;
    return rec;
}

std::string CatalogueLine(const TMnfRec& rec)
{
    return Format("%S, %0.4f, %0.4f, %0.4f, %0.4f, %0.4f, %S, %S, %S, %0.4f, %0.4f, %d",
                  {rec.name, rec.id * 1000, rec.od * 1000, rec.sx * 1000, rec.sy * 1000, rec.t * 1000,
                   TubePatternLabel(rec.kind), rec.tubeMaterial, rec.finMaterial, rec.finFactor,
                   rec.tubeFactor, rec.basis});
}

std::optional<TMnfRec> ReadCatalogueLine(std::string_view maker, std::string_view line, int& tubeCode)
{
    std::vector<std::string> fields = SplitToArray(line, ',');
    for (std::string& field : fields) field = Trim(field);
    tubeCode = 0;
    if (fields.size() == 12) return ReadTwelveFields(maker, fields);
    if (fields.size() <= 10) return ReadOlderForm(maker, line, tubeCode);
    // Eleven fields or more than twelve belong to neither form.
    return std::nullopt;
}

TMnfRec MnfRecOf(const TModelRec& rec)
{
    TMnfRec mnf;
    mnf.maker = rec.Mnf;
    mnf.name = rec.Model;
    mnf.d = rec.Tube;
    mnf.id = rec.ID;
    mnf.od = rec.OD;
    mnf.sx = rec.Sx;
    mnf.sy = rec.Sy;
    mnf.t = rec.tf;
    mnf.kind = rec.tp;
    mnf.tubeMaterial = std::string(MaterialAt(rec.Mt, kCopper).Code);
    mnf.finMaterial = std::string(MaterialAt(rec.Mf, kAluminium).Code);
    mnf.finFactor = rec.fc;
    mnf.tubeFactor = rec.ft;
    mnf.basis = rec.cb;
    return mnf;
}

void ApplyMnfRec(const TMnfRec& mnf, TModelRec& rec)
{
    const TModelRec defaults;
    rec.Mnf = LimitedName(mnf.maker);
    rec.Model = LimitedName(mnf.name);
    rec.Tube = mnf.d >= 0 && mnf.d <= kMaxTubeCode ? static_cast<std::uint8_t>(mnf.d) : defaults.Tube;
    rec.ID = mnf.id;
    rec.OD = mnf.od;
    rec.Sx = mnf.sx;
    rec.Sy = mnf.sy;
    rec.tf = mnf.t;
    rec.tp = mnf.kind == kInLine ? kInLine : kStaggered;
    rec.fc = mnf.finFactor;
    rec.ft = mnf.tubeFactor;
    rec.cb = mnf.basis == kBasisRowsDeep ? kBasisRowsDeep : kBasisTubesHigh;
    rec.Mt = static_cast<std::uint8_t>(MaterialIndex(mnf.tubeMaterial, kCopper));
    rec.Mf = static_cast<std::uint8_t>(MaterialIndex(mnf.finMaterial, kAluminium));
}

std::string LimitedName(std::string_view text)
{
    if (text.size() <= kMaxNameLength) return std::string(text);
    // Never cut inside a UTF-8 character: step back over continuation bytes.
    size_t length = kMaxNameLength;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    return std::string(text.substr(0, length));
}

}  // namespace vantor

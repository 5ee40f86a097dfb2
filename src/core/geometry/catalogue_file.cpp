#include "geometry/catalogue_file.h"

#include "text/file_io.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

constexpr std::string_view kRangeText = "fin and tube coil";

std::string_view BasisWord(int basis) { return basis == kBasisRowsDeep ? "depth" : "height"; }

// A positive number of the attribute, scaled; the default otherwise.
double ReadPositive(TXMLFile& file, TXMLFile::TNode node, std::string_view name, double scale,
                    double defaultValue)
{
    const std::optional<double> value = ParseDouble(file.ReadAttribute(node, name, ""));
    if (!value || !(*value > 0) || !std::isfinite(*value * scale)) return defaultValue;
    return *value * scale;
}

std::string ReadName(TXMLFile& file, TXMLFile::TNode node, std::string_view name, std::string_view defaultText)
{
    return LimitedName(file.ReadAttribute(node, name, defaultText));
}

int ReadTubeCode(TXMLFile& file, TXMLFile::TNode node, int defaultCode)
{
    const int code = file.ReadAttributeInteger(node, "d", defaultCode);
    return code >= 0 && code <= 255 ? code : defaultCode;
}

std::uint8_t ReadPattern(TXMLFile& file, TXMLFile::TNode node, std::uint8_t defaultKind)
{
    const std::string word = file.ReadAttribute(node, "kind", "");
    if (SameText(word, "in-line")) return kInLine;
    if (SameText(word, "staggered")) return kStaggered;
    return defaultKind;
}

int ReadBasis(TXMLFile& file, TXMLFile::TNode node, int defaultBasis)
{
    const std::string word = file.ReadAttribute(node, "basis", "");
    if (SameText(word, "depth")) return kBasisRowsDeep;
    if (SameText(word, "height")) return kBasisTubesHigh;
    return defaultBasis;
}

// A model (or an item's defaults) read over the given defaults.
TMnfRec ReadRange(TXMLFile& file, TXMLFile::TNode node, const TMnfRec& defaults)
{
    TMnfRec rec = defaults;
    rec.name = ReadName(file, node, "name", defaults.name);
    rec.d = ReadTubeCode(file, node, defaults.d);

    const TXMLFile::TNode fin = file.FindChild(node, "fin");
    rec.t = ReadPositive(file, fin, "t", 0.001, defaults.t);
    rec.finMaterial = ReadName(file, fin, "mt", defaults.finMaterial);
    rec.finFactor = ReadPositive(file, fin, "f", 1, defaults.finFactor);

    const TXMLFile::TNode tube = file.FindChild(node, "tube");
    rec.id = ReadPositive(file, tube, "id", 0.001, defaults.id);
    rec.od = ReadPositive(file, tube, "od", 0.001, defaults.od);
    rec.tubeMaterial = ReadName(file, tube, "mt", defaults.tubeMaterial);
    rec.tubeFactor = ReadPositive(file, tube, "f", 1, defaults.tubeFactor);

    const TXMLFile::TNode pattern = file.FindChild(node, "pat");
    rec.sx = ReadPositive(file, pattern, "sx", 0.001, defaults.sx);
    rec.sy = ReadPositive(file, pattern, "sy", 0.001, defaults.sy);
    rec.kind = ReadPattern(file, pattern, defaults.kind);

    rec.basis = ReadBasis(file, file.FindChild(node, "circ"), defaults.basis);
    return rec;
}

std::string MakerOf(TXMLFile& file, TXMLFile::TNode item)
{
    return LimitedName(file.ReadText(item, "maker", ""));
}

TXMLFile::TNode FindMakerItem(TXMLFile& file, std::string_view maker)
{
    for (TXMLFile::TNode item : file.ChildrenNamed(file.Root(), "item"))
        if (SameText(MakerOf(file, item), maker)) return item;
    return {};
}

// The item's defaults: its own values over the built-in range, with no tube code.
TMnfRec ReadItemDefaults(TXMLFile& file, TXMLFile::TNode item)
{
    TMnfRec builtIn = DefaultMnfRec();
    builtIn.d = 0;
    TMnfRec defaults = ReadRange(file, item, builtIn);
    defaults.maker = MakerOf(file, item);
    return defaults;
}

std::string Millimetres(std::string_view format, double metres)
{
    return Format(format, {metres * 1000});
}

void SetIfDifferent(TXMLFile& file, TXMLFile::TNode node, std::string_view name, const std::string& value,
                    const std::string& defaultValue)
{
    if (value != defaultValue) file.SetAttribute(node, name, value);
}

void WriteRange(TXMLFile& file, TXMLFile::TNode item, const TMnfRec& rec, const TMnfRec& defaults)
{
    const TXMLFile::TNode model = file.AddChild(item, "model");
    file.SetAttribute(model, "name", rec.name);
    file.SetAttribute(model, "d", Format("%d", {rec.d}));

    const TXMLFile::TNode fin = file.AddChild(model, "fin");
    SetIfDifferent(file, fin, "t", Millimetres("%0.4f", rec.t), Millimetres("%0.4f", defaults.t));
    SetIfDifferent(file, fin, "mt", rec.finMaterial, defaults.finMaterial);
    SetIfDifferent(file, fin, "f", Format("%0.4f", {rec.finFactor}), Format("%0.4f", {defaults.finFactor}));

    const TXMLFile::TNode tube = file.AddChild(model, "tube");
    file.SetAttribute(tube, "id", Millimetres("%0.4f", rec.id));
    file.SetAttribute(tube, "od", Millimetres("%0.4f", rec.od));
    SetIfDifferent(file, tube, "mt", rec.tubeMaterial, defaults.tubeMaterial);
    SetIfDifferent(file, tube, "f", Format("%0.4f", {rec.tubeFactor}), Format("%0.4f", {defaults.tubeFactor}));

    const TXMLFile::TNode pattern = file.AddChild(model, "pat");
    file.SetAttribute(pattern, "sx", Millimetres("%0.3f", rec.sx));
    file.SetAttribute(pattern, "sy", Millimetres("%0.3f", rec.sy));
    if (rec.kind != defaults.kind) file.SetAttribute(pattern, "kind", TubePatternLabel(rec.kind));

    if (rec.basis != defaults.basis) file.SetAttribute(file.AddChild(model, "circ"), "basis", BasisWord(rec.basis));
}

}  // namespace

std::vector<std::string> ReadMakerNames(TXMLFile& file)
{
    std::vector<std::string> names;
    for (TXMLFile::TNode item : file.ChildrenNamed(file.Root(), "item"))
        if (file.FindChild(item, "maker")) names.push_back(MakerOf(file, item));
    return names;
}

std::optional<TMakerRanges> ReadMaker(TXMLFile& file, std::string_view maker)
{
    const TXMLFile::TNode item = FindMakerItem(file, maker);
    if (!item) return std::nullopt;
    const TMnfRec defaults = ReadItemDefaults(file, item);
    TMakerRanges result{defaults.maker, {}};
    for (TXMLFile::TNode model : file.ChildrenNamed(item, "model"))
        result.Ranges.push_back(ReadRange(file, model, defaults));
    return result;
}

std::optional<std::string> CatalogueFileProblem(const std::filesystem::path& file)
{
    const std::string name = file.string();
    const std::string cannotServe = "The coil makers catalogue " + name + " cannot be used: ";
    const std::optional<std::string> bytes = ReadFileText(file, TXMLFile::MaxFileBytes);
    if (!bytes) return cannotServe + FileReadProblem(file, TXMLFile::MaxFileBytes) + ".";
    TXMLFile catalogue;
    catalogue.SetFileName(name);
    if (!catalogue.LoadText(*bytes)) {
        // The parser's byte offset told as the line an editor shows.
        pugi::xml_document document;
        const pugi::xml_parse_result parsed = document.load_buffer(bytes->data(), bytes->size());
        if (parsed) return catalogue.LoadError() + ".";
        const auto end = static_cast<std::ptrdiff_t>(
            std::min(static_cast<size_t>(std::max<std::ptrdiff_t>(parsed.offset, 0)), bytes->size()));
        const long long line = 1 + std::count(bytes->begin(), bytes->begin() + end, '\n');
        return cannotServe + Format("%s at line %d.", {parsed.description(), line});
    }
    if (!SameText(catalogue.Root().name(), "catalog")) return cannotServe + "its root element is not \"catalog\".";
    if (ReadMakerNames(catalogue).empty()) return cannotServe + "it names no coil maker.";
    return std::nullopt;
}

void NewCatalogueRoot(TXMLFile& file)
{
    file.Clear();
    const TXMLFile::TNode root = file.Document().append_child("catalog");
    file.SetAttribute(root, "kind", "coil");
    file.SetAttribute(root, "version", "1.0.0.0");
    file.SetAttribute(root, "developer", "korvane");
}

void WriteMaker(TXMLFile& file, std::string_view maker, const TMnfRecVec& ranges)
{
    TXMLFile::TNode item = FindMakerItem(file, maker);
    if (!item) item = file.AddChild(file.Root(), "item");
    file.WriteText(item, "maker", true, maker);
    file.WriteText(item, "range", true, kRangeText);

    const TMnfRec defaults = ReadItemDefaults(file, item);
    for (TXMLFile::TNode model : file.ChildrenNamed(item, "model")) item.remove_child(model);
    for (const TMnfRec& rec : ranges) WriteRange(file, item, rec, defaults);
}

}  // namespace vantor

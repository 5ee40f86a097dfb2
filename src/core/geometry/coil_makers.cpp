#include "geometry/coil_makers.h"

#include "geometry/catalogue_file.h"
#include "text/text_routines.h"
#include "xml/xml_file.h"

#include <algorithm>
#include <cmath>
#include <system_error>

namespace vantor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDefaultMaker = "Default";

bool SameDimension(double a, double b)
{
    return std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

// Ranges of the same tube, fin thickness, pattern and basis are candidates for a match.
bool SameBuild(const TMnfRec& a, const TMnfRec& b)
{
    return SameDimension(a.id, b.id) && SameDimension(a.od, b.od) && SameDimension(a.sx, b.sx) &&
           SameDimension(a.sy, b.sy) && SameDimension(a.t, b.t) && a.kind == b.kind && a.basis == b.basis;
}

constexpr int kPerfectMatch = 9;

int MatchScore(const TMnfRec& candidate, const TMnfRec& wanted)
{
    int score = 0;
    if (SameText(candidate.name, wanted.name)) score += 3;
    if (SameDimension(candidate.finFactor, wanted.finFactor)) score += 2;
    if (SameDimension(candidate.tubeFactor, wanted.tubeFactor)) score += 2;
    if (SameText(candidate.tubeMaterial, wanted.tubeMaterial)) score += 1;
    if (SameText(candidate.finMaterial, wanted.finMaterial)) score += 1;
    return score;
}

}  // namespace

TCoilMakers::TCoilMakers(TFolderEnvironment env) : m_env(std::move(env)) {}

fs::path TCoilMakers::CataloguePath() const
{
    return FindDataFile(fs::path(kCatalogueFileName), m_env);
}

fs::path TCoilMakers::ServingCataloguePath() const
{
    if (UserCatalogueProblem()) return MakerRoot(m_env) / kCatalogueFileName;
    return CataloguePath();
}

std::optional<std::string> TCoilMakers::UserCatalogueProblem() const
{
    const std::optional<fs::path> userCopy = WritableDataFile(fs::path(kCatalogueFileName), m_env);
    std::error_code ec;
    if (!userCopy || !fs::exists(*userCopy, ec)) return std::nullopt;
    return CatalogueFileProblem(*userCopy);
}

void TCoilMakers::ForgetCachedMaker()
{
    m_maker.clear();
    m_ranges.clear();
    m_names.reset();
}

std::vector<std::string> TCoilMakers::MakerNames() const
{
    const fs::path serving = ServingCataloguePath();
    std::error_code timeError, sizeError;
    const fs::file_time_type written = fs::last_write_time(serving, timeError);
    const std::uintmax_t size = fs::file_size(serving, sizeError);
    const bool known = !timeError && !sizeError;
    if (known && m_names && m_names->File == serving && m_names->Written == written && m_names->Size == size)
        return m_names->Names;
    TXMLFile file(serving.string());
    std::vector<std::string> names = ReadMakerNames(file);
    if (known) m_names = TNamesRead{serving, written, size, names};
    else m_names.reset();
    return names;
}

void TCoilMakers::LoadMaker(std::string_view maker)
{
    if (SameText(m_maker, maker) && !m_ranges.empty()) return;
    TXMLFile file(ServingCataloguePath().string());
    std::optional<TMakerRanges> found = ReadMaker(file, maker);
    if (!found) return;
    m_maker = std::move(found->Maker);
    m_ranges = std::move(found->Ranges);
}

TMnfRec TCoilMakers::FindByTube(std::string_view maker, int code)
{
    LoadMaker(maker);
    if (!m_ranges.empty()) {
        const auto withCode = [this](int wanted) {
            return std::find_if(m_ranges.begin(), m_ranges.end(), [wanted](const TMnfRec& r) { return r.d == wanted; });
        };
        auto found = withCode(code);
        if (found == m_ranges.end() && code > 100) found = withCode(code - 100);
        return found != m_ranges.end() ? *found : m_ranges.front();
    }

    Notify("There are no matching coils for " + std::string(maker) + " in the database!\n" +
           "You may need to re-install the program to correct the database.");
    m_maker = kDefaultMaker;
    m_ranges = {DefaultMnfRec()};
    WriteDefaultMaker();
    return DefaultMnfRec();
}

std::optional<TMnfRec> TCoilMakers::FindRange(std::string_view maker, std::string_view name)
{
    LoadMaker(maker);
    if (!SameText(m_maker, maker)) return std::nullopt;
    const auto found =
        std::find_if(m_ranges.begin(), m_ranges.end(), [name](const TMnfRec& r) { return SameText(r.name, name); });
    if (found == m_ranges.end()) return std::nullopt;
    return *found;
}

void TCoilMakers::WriteDefaultMaker()
{
    // A catalogue that already names a "Default" maker keeps it as it is.
    TXMLFile file(ServingCataloguePath().string());
    if (file.Root() && ReadMaker(file, kDefaultMaker)) return;
    const TResult saved = SaveMaker({}, true);
    if (!saved) Notify(saved.Message);
}

void TCoilMakers::MatchModel(std::string_view maker, TMnfRec& rec)
{
    rec.maker = LimitedName(maker);
    LoadMaker(maker);

    const TMnfRec* chosen = nullptr;
    int bestScore = -1;
    for (const TMnfRec& range : m_ranges) {
        if (!SameBuild(range, rec)) continue;
        const int score = MatchScore(range, rec);
        if (score == kPerfectMatch) {
            chosen = &range;
            break;
        }
        // A later candidate wins a tie.
        if (score >= bestScore) {
            bestScore = score;
            chosen = &range;
        }
    }
    if (!chosen) {
        const auto sameTube = std::find_if(m_ranges.begin(), m_ranges.end(),
                                           [&rec](const TMnfRec& r) { return r.d == rec.d; });
        if (sameTube != m_ranges.end())
            chosen = &*sameTube;
        else if (!m_ranges.empty())
            chosen = &m_ranges.front();
    }

    TMnfRec result = chosen ? *chosen : DefaultMnfRec();
    result.tubeMaterial = std::move(rec.tubeMaterial);
    result.finMaterial = std::move(rec.finMaterial);
    rec = std::move(result);
}

TResult TCoilMakers::SaveMaker(const fs::path& fileName, bool create)
{
    if (m_maker.empty()) return TResult::Error(TErrorCode::Failed, "No coil maker is loaded to write into the catalogue");
    const std::optional<fs::path> target =
        fileName.empty() ? WritableDataFile(fs::path(kCatalogueFileName), m_env) : std::optional<fs::path>(fileName);
    if (!target) return TResult::Error(TErrorCode::Failed, "There is no folder for the user's copy of the coil makers catalogue");

    // The user's first edit starts from the installed catalogue, so no other maker is lost.
    TXMLFile file((fileName.empty() ? CataloguePath() : fileName).string());
    if (file.ReadStatus() == TXmlReadStatus::NotLoaded)
        return TResult::Error(TErrorCode::Failed, file.LoadError() + "; the catalogue was left as it is");
    if (!file.Root()) {
        if (!create) return TResult::Ok();
        NewCatalogueRoot(file);
    }
    WriteMaker(file, m_maker, m_ranges);

    std::error_code ignored;  // a folder that cannot be made shows as the save's failure
    fs::create_directories(target->parent_path(), ignored);
    file.SetFileName(target->string());
    return file.Save();
}

TMnfRec TCoilMakers::ParseCatalogueLine(std::string_view maker, std::string_view line)
{
    int tubeCode = 0;
    if (std::optional<TMnfRec> rec = ReadCatalogueLine(maker, line, tubeCode)) return *rec;
    return FindByTube(maker, tubeCode);
}

void TCoilMakers::Notify(std::string_view message) const
{
    if (m_onMessage) m_onMessage(message);
}

}  // namespace vantor

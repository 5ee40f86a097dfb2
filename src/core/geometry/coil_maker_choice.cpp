#include "geometry/coil_maker_choice.h"

#include "geometry/coil_makers.h"
#include "geometry/mnf_rec.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <cmath>

namespace vantor {

namespace {

enum TColumn : size_t { cModel, cID, cOD, cSx, cSy, cTf, cPattern, cMtube, cMfin, cAFin, cATube, cCB };

constexpr double kMm = 1000;
constexpr double kPitchTolerance = 0.001;  // mm, diameters and pitches
constexpr double kFinTolerance = 0.0001;   // mm, fin thickness
constexpr double kFactorTolerance = 1e-6;

// The list row of a range: its name whole (a name may hold a comma), the other columns as
// the catalogue line writes them.
TCoilMakerRow RowOf(const TMnfRec& range)
{
    TMnfRec unnamed = range;
    unnamed.name.clear();
    TCoilMakerRow row;
    for (const std::string& part : SplitToArray(CatalogueLine(unnamed), ',')) row.push_back(Trim(part));
    row.resize(kCoilMakerColumns.size());
    row[cModel] = range.name;
    return row;
}

bool NumberNear(const std::string& text, double expected, double tolerance)
{
    const std::optional<double> value = ParseDouble(text);
    return value && std::fabs(*value - expected) <= tolerance;
}

std::string_view MaterialCode(int index, int defaultIndex) { return MaterialAt(index, defaultIndex).Code; }

}  // namespace

int RangeMatchScore(const TCoilMakerRow& row, const TModelRec& rec)
{
    if (row.size() < kCoilMakerColumns.size()) return -1;
    // An empty basis cell counts as tubes high.
    const long long basis = row[cCB].empty() ? 0 : ParseInteger(row[cCB]).value_or(-1);
    const bool candidate = NumberNear(row[cID], rec.ID * kMm, kPitchTolerance) &&
                           NumberNear(row[cOD], rec.OD * kMm, kPitchTolerance) &&
                           NumberNear(row[cSx], rec.Sx * kMm, kPitchTolerance) &&
                           NumberNear(row[cSy], rec.Sy * kMm, kPitchTolerance) &&
                           NumberNear(row[cTf], rec.tf * kMm, kFinTolerance) &&
                           SameText(row[cPattern], TubePatternLabel(rec.tp)) && basis == rec.cb;
    if (!candidate) return -1;
    int score = 0;
    if (SameText(row[cModel], rec.Model)) score += 3;
    if (NumberNear(row[cAFin], rec.fc, kFactorTolerance)) score += 2;
    if (NumberNear(row[cATube], rec.ft, kFactorTolerance)) score += 2;
    if (SameText(row[cMtube], MaterialCode(rec.Mt, kCopper))) score += 1;
    if (SameText(row[cMfin], MaterialCode(rec.Mf, kAluminium))) score += 1;
    return score;
}

std::string CurrentRangeText(const TModelRec& rec)
{
    return Format("%s, %s, %0.4f, %0.4f, %0.2f, %0.2f, %0.4f, %s, %s, %s, %0.3f, %0.3f, %d",
                  {rec.Mnf, rec.Model, rec.ID * kMm, rec.OD * kMm, rec.Sx * kMm, rec.Sy * kMm, rec.tf * kMm,
                   TubePatternLabel(rec.tp), MaterialCode(rec.Mt, kCopper), MaterialCode(rec.Mf, kAluminium),
                   rec.fc, rec.ft, rec.cb});
}

void TCoilMakerChoice::FillMakers()
{
    m_makers = m_catalogue.MakerNames();
    m_makerIndex = -1;
    for (size_t i = 0; i < m_makers.size(); ++i)
        if (SameText(m_makers[i], CurrentRecord.Mnf)) {
            m_makerIndex = static_cast<int>(i);
            break;
        }
    ChooseMaker(m_makerIndex);
}

std::string TCoilMakerChoice::MakerName() const
{
    return m_makerIndex >= 0 ? m_makers[static_cast<size_t>(m_makerIndex)] : std::string();
}

void TCoilMakerChoice::ChooseMaker(int index)
{
    if (index < 0 || index >= static_cast<int>(m_makers.size())) {
        m_makerIndex = -1;
        return;
    }
    m_makerIndex = index;
    const std::string& maker = m_makers[static_cast<size_t>(index)];
    m_catalogue.LoadMaker(maker);
    m_rows.clear();
    m_ranges.clear();
    // A maker whose item cannot be read leaves another maker's ranges in the cache: those
    // are not this maker's and are not listed.
    if (SameText(m_catalogue.CachedMaker(), maker)) m_ranges = m_catalogue.CachedRanges();
    for (const TMnfRec& range : m_ranges) m_rows.push_back(RowOf(range));
    m_selected = m_rows.empty() ? -1 : 0;
}

void TCoilMakerChoice::SelectRow(int row)
{
    m_selected = row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1;
}

void TCoilMakerChoice::SelectCurrentRange()
{
    int best = -1;
    int bestScore = -1;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const int score = RangeMatchScore(m_rows[i], CurrentRecord);
        if (score < 0) continue;
        if (score == kPerfectRangeMatch) {
            best = static_cast<int>(i);
            break;
        }
        if (score >= bestScore) {
            bestScore = score;
            best = static_cast<int>(i);
        }
    }
    if (best >= 0) m_selected = best;
}

bool TCoilMakerChoice::Accept()
{
    if (m_selected < 0 || m_selected >= static_cast<int>(m_ranges.size()) || m_makerIndex < 0) return false;
    TMnfRec range = m_ranges[static_cast<size_t>(m_selected)];
    range.maker = LimitedName(MakerName());
    ApplyMnfRec(range, CurrentRecord);
    return true;
}

}  // namespace vantor

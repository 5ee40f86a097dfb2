#pragma once

// The coil maker window's rules, kept apart from its controls: the maker list, the rows of
// the chosen maker's tube ranges as the list shows them, the row that best matches the record
// being edited, and the copy of a chosen row back into that record.
//
//   TCoilMakerChoice choice(catalogue);
//   choice.CurrentRecord = geometry.ModelRecord();
//   choice.FillMakers();            // the makers, the record's maker chosen, its ranges listed
//   choice.SelectCurrentRange();    // the row that matches the record
//   if (choice.Accept()) geometry takes choice.CurrentRecord

#include "geometry/mnf_rec.h"
#include "geometry/model_rec.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TCoilMakers;

struct TCoilMakerColumn {
    std::string_view Caption;
    int Width;  // pixels; 0 leaves the list's default width
};

inline constexpr std::array<TCoilMakerColumn, 12> kCoilMakerColumns{{
    {"Model", 120},
    {"ID,mm", 60},
    {"OD,mm", 60},
    {"Sx,mm", 60},
    {"Sy,mm", 60},
    {"tFin,mm", 0},
    {"Tube pattern", 80},
    {"Mtube", 40},
    {"Mfin", 40},
    {"AFin", 0},
    {"ATube", 0},
    {"CB", 40},
}};

using TCoilMakerRow = std::vector<std::string>;  // one text per column

// How well a list row matches a record: -1 when the row is no candidate (diameters, pitches,
// fin thickness, pattern or circuit basis differ), else 3 for the range name, 2 each for the
// fin and tube area factors and 1 each for the tube and fin material. 9 is a perfect match.
int RangeMatchScore(const TCoilMakerRow& row, const TModelRec& rec);
inline constexpr int kPerfectRangeMatch = 9;

// "maker, range, id, od, sx, sy, tf, pattern, tube, fin, fin f, tube f, basis", lengths in mm.
std::string CurrentRangeText(const TModelRec& rec);

class TCoilMakerChoice {
public:
    explicit TCoilMakerChoice(TCoilMakers& catalogue) : m_catalogue(catalogue) {}

    // The record being edited: the caller puts the geometry's record here before the window
    // shows and takes it back after "Accept".
    TModelRec CurrentRecord;

    // The catalogue's makers in file order, the record's maker chosen (compared without
    // regard to case; none when the catalogue does not hold it) and its ranges listed.
    void FillMakers();
    const std::vector<std::string>& MakerNames() const { return m_makers; }
    int MakerIndex() const { return m_makerIndex; }
    std::string MakerName() const;

    // The maker at index is chosen and its ranges listed, row 0 selected. An index outside
    // the list chooses no maker and leaves the rows as they are.
    void ChooseMaker(int index);
    const std::vector<TCoilMakerRow>& Rows() const { return m_rows; }

    int SelectedRow() const { return m_selected; }
    // -1 (or any index outside the rows) selects none.
    void SelectRow(int row);

    // Selects the row that best matches CurrentRecord: a perfect match at once, else the best
    // score, a later row winning a tie. Without any candidate the selection stays.
    void SelectCurrentRange();

    // Copies the selected row's range into CurrentRecord, keeping the record's model values,
    // type, serpentine, rifling, sections and casing; false (nothing copied) without one.
    bool Accept();

    std::string CurrentRangeText() const { return vantor::CurrentRangeText(CurrentRecord); }

private:
    TCoilMakers& m_catalogue;
    std::vector<std::string> m_makers;
    int m_makerIndex = -1;
    TMnfRecVec m_ranges;  // the listed ranges, row by row
    std::vector<TCoilMakerRow> m_rows;
    int m_selected = -1;
};

}  // namespace vantor

#pragma once

// The selection results as a table of texts, each quantity in the unit the user chose for it
// in the units registry: the column headings carry the unit's label ("Air dP\nPa", "Air dP\nin
// wg"), the cells the value converted and formatted in that unit's format. Every column also
// has a key to sort by: the number for quantities (the stored value, which orders as the shown
// one does), the text for names.
//
//   const TSelectionTable table(doc.Units());
//   table.Heading(TSelectionTable::kWeight)          -> "Weight\nkg"
//   table.Text(results[0], 0, TSelectionTable::kRank) -> "1"

#include "selection/selection_result.h"
#include "units/unit_rec.h"

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace vantor {

class TUnitsRegistry;

class TSelectionTable {
public:
    enum TColumn : int {
        kRank = 0,
        kMaker,
        kRange,
        kModel,
        kFaceVelocity,
        kDuty,
        kMargin,
        kAirDrop,
        kFluidDrop,
        kFluidFlow,
        kTubeVelocity,
        kAirOff,
        kFluidOut,
        kPipe,
        kWeight,
    };
    static constexpr int kColumnCount = kWeight + 1;

    using TSortKey = std::variant<double, std::string>;

    // Takes a copy of each column's unit from units, so the table shows the units chosen when
    // it was made and never changes the registry.
    explicit TSelectionTable(const TUnitsRegistry& units);

    // The caption, with the unit's label on a second line for a quantity.
    std::string Heading(int column) const;
    // The cell of result r, ranked rank (0 for the first) in the selection.
    std::string Text(const TSelectionResult& r, int rank, int column) const;
    TSortKey SortKey(const TSelectionResult& r, int rank, int column) const;
    // The registry quantity (section, key) a column shows; empty for the names, the rank and
    // the margin.
    static std::pair<std::string_view, std::string_view> Quantity(int column);
    // Names read from the left, numbers from the right.
    static bool IsNumber(int column) { return column == kRank || column > kModel; }

private:
    // The column's unit; an empty record (no label) for a column without a quantity.
    UnitRec& Unit(int column) const;

    mutable std::vector<UnitRec> m_units;
};

}  // namespace vantor

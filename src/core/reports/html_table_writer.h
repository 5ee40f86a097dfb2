#pragma once

// Writes the small HTML tables of the coil reports, one line per call, into a list of lines
// the caller owns. A quantity table reads
//   <table>
//   <caption class="caption">Air Side</caption>
//   <tr><th width="135"></th><th></th><th width="60"></th></tr>
//   <tr><td>Face Velocity</td><td>2.50</td><td>m/s</td></tr>
//   </table>
//   <p>&nbsp;</p>
// Values come from the units registry, so every number is in the unit chosen for it. Texts
// are written as given: callers escape HTML special characters where they need to.

#include "units/unit_rec.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

inline constexpr std::string_view kTableAttributes = R"(border="0" width="360" height="270" align="left")";
inline constexpr std::string_view kCaptionAttributes = R"(class="caption")";

// "<name>" or "<name attributes>"; "</name>".
std::string OpenTag(std::string_view name, std::string_view attributes = {});
std::string CloseTag(std::string_view name);

class THtmlTableWriter {
public:
    explicit THtmlTableWriter(std::vector<std::string>& lines) : m_lines(lines) {}

    void BeginTable(std::string_view attributes = {});
    void EndTable();
    void Spacer();
    void Caption(std::string_view text, std::string_view attributes = kCaptionAttributes);
    // One row; cell i gets cellAttributes[i] when there is one.
    void HeaderRow(const std::vector<std::string>& cells, std::string_view rowAttributes = {},
                   const std::vector<std::string>& cellAttributes = {});
    void DataRow(const std::vector<std::string>& cells, std::string_view rowAttributes = {},
                 const std::vector<std::string>& cellAttributes = {});
    // The three empty header cells of a quantity table (widths 135, none and 60).
    void StandardHeaderRow();
    // Name, the value in the record's unit and the unit label.
    void QuantityRow(std::string_view name, UnitRec& rec, bool keepFormat, double x);
    void QuantityPairRow(std::string_view name, UnitRec& rec, bool keepFormat, double a, double b);
    // Three or more cells as they are; two cells with the second spanning two columns; one
    // cell spanning three.
    void SpanRow(const std::vector<std::string>& cells);

private:
    void Row(std::string_view cellTag, const std::vector<std::string>& cells, std::string_view rowAttributes,
             const std::vector<std::string>& cellAttributes);

    std::vector<std::string>& m_lines;
};

}  // namespace vantor

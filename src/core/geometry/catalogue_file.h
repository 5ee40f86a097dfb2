#pragma once

// The coil makers catalogue document, "CoilMakers.xml": a root "catalog" with one "item" per
// maker. An item holds the maker's name ("maker"), the text "fin and tube coil" ("range"),
// the maker's defaults for its ranges, and one "model" per tube range:
//
//   <model name="1/2 inch" d="4">
//     <fin t="0.15" mt="Al" f="1"/>                  fin thickness mm, material, area factor
//     <tube id="12.5222" od="13.335" mt="Cu" f="1"/>  diameters mm, material, inside area factor
//     <pat sx="33" sy="38.1" kind="Staggered"/>       pitches mm, "Staggered" or "In-line"
//     <circ basis="height"/>                          "height" (tubes high) or "depth" (rows deep)
//   </model>
//
// A value missing from a model comes from its item, one missing from the item from the
// built-in default range; "d" defaults to 0. A value that is not a number, a dimension or
// factor of zero or less and an unknown word count as missing.

#include "geometry/mnf_rec.h"
#include "xml/xml_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

inline constexpr std::string_view kCatalogueFileName = "Common Files/CoilMakers.xml";

struct TMakerRanges {
    std::string Maker;   // as the file spells it
    TMnfRecVec Ranges;   // in file order
};

// The maker names of the document, in file order.
std::vector<std::string> ReadMakerNames(TXMLFile& file);

// The item of maker, compared without regard to case; nothing when the document has none.
std::optional<TMakerRanges> ReadMaker(TXMLFile& file, std::string_view maker);

// Why the catalogue file cannot serve, for the user: it is not XML (the message names the
// file and the line of the fault), its root is not "catalog", or it names no maker. Nothing
// when it serves. The file must exist.
std::optional<std::string> CatalogueFileProblem(const std::filesystem::path& file);

// Empties the document and makes the root "catalog" with kind, version and developer.
void NewCatalogueRoot(TXMLFile& file);

// Writes the maker's ranges into its item under the root (added when missing), replacing
// the item's models. Values equal to the item's defaults are left out, except the tube
// diameters and the pitches, which every model carries.
void WriteMaker(TXMLFile& file, std::string_view maker, const TMnfRecVec& ranges);

}  // namespace vantor

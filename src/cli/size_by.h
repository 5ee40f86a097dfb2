#pragma once

// `vantor-cli size --by ...`: one of the fin and tube editor's six sizing commands without
// the window. The stored design settings reach the coil first, as they do before the editor
// opens; the sizing then runs as the editor's command runs it, and the coil is taken into the
// document as the editor's Accept takes it, ready to be rated in "Heating Duty" mode.

#include "coil_editor/coil_editor.h"
#include "text/result.h"

#include <map>
#include <string>

namespace vantor {
class TRatingDocument;
class TSettingsStore;
}  // namespace vantor

namespace vantor::cli {

// The names --by takes: face-area, height, length, rows, fins, rows-and-fins.
const std::map<std::string, TFatSizing>& SizingNames();

// The sizing for the document's design duty, with the air volume when keepAirVolume, else at
// the design face velocity. The code is the number of the sizing's status (CountOut,
// DataError); the message says why it failed.
[[nodiscard]] TResult SizeLikeTheEditor(TRatingDocument& doc, const TSettingsStore& programKey, TFatSizing sizing,
                                        bool keepAirVolume);

}  // namespace vantor::cli

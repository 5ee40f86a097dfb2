#pragma once

// Where a selection's inputs come from: the requirement as the rating document holds it, and
// the tube ranges of the catalogue.

#include "document/rating_document.h"
#include "geometry/coil_makers.h"
#include "selection/selection_request.h"
#include "text/result.h"

#include <string_view>

namespace vantor {

// The document's design duty, on-coil air, air volume, heating fluid and inlet, design drop
// (or, byFlow, its fluid flow) and calibration.
TSelectionRequirement RequirementOf(const TRatingDocument& doc, bool byFlow);

// The ranges of maker (every maker of the catalogue when empty), all of them or those named
// range (without regard to case). An error names what the catalogue does not hold.
TResult CatalogueRanges(TCoilMakers& catalogue, std::string_view maker, std::string_view range, TMnfRecVec& ranges);

}  // namespace vantor

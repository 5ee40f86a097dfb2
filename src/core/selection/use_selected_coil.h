#pragma once

// "Use this coil" of the selection window: the document takes a selected coil and rates it.

#include "document/rating_document.h"
#include "selection/selection_result.h"
#include "text/result.h"

namespace vantor {

// The coil's maker, tube range and model, the air volume, flow control at the coil's fluid
// flow and "Heating Duty" mode, then a solve: the document's duty is then the selection's.
// Fails without a change when the catalogue no longer holds the range or the coil cannot be
// built.
TResult UseSelectedCoil(TRatingDocument& doc, const TSelectionResult& coil, double airVolume);

}  // namespace vantor

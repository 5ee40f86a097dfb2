#pragma once

// Coil selection over the catalogue: which coils of the chosen tube ranges meet a duty within
// the limits, lightest first.
//
// Every candidate is rated under flow control at the one design flow. The search runs face by
// face (a work item is one tube range and one face) on all cores, each worker with its own
// coil. Within a face it rates every rows and fins in turn; for each geometry it tries the
// circuit counts that give whole tubes per circuit, fewest first, and keeps the first that
// passes, so every passing geometry is listed once. The only pruning is by weight: a geometry
// heavier than the N-th lightest result any worker holds cannot be among the N lightest and is
// not rated. Results are ranked by RanksBefore, so the order never depends on the threads.

#include "selection/selection_feedback.h"
#include "selection/selection_request.h"
#include "selection/selection_result.h"
#include "text/result.h"

#include <functional>

namespace vantor {

class TCoilSelector {
public:
    using TProgressFn = std::function<void(double share)>;

    // Ok, or the first input a selection cannot start from, in words for the user.
    static TResult CheckRequest(const TSelectionRequest& request);

    // Runs the selection and returns when it is done or cancelled through feedback.
    // onProgress, when given, is called on the calling thread about ten times a second.
    // A request CheckRequest refuses gives no results.
    static TSelectionOutcome Run(const TSelectionRequest& request, TSelectionFeedback& feedback,
                                 const TProgressFn& onProgress = {});
};

}  // namespace vantor

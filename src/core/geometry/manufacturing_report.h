#pragma once

// What a coil builder needs to make the coil: dimensions and weight, circuiting, tube and fin
// data and materials, all from the geometry (no solve needed). Lengths are shown in mm.

namespace vantor {

class TFinAndTube;
class TReportSink;

// Appends the report to the sink. Weighs the coil first, so the geometry's masses and dry
// weight are those of its current record afterwards.
void ManufacturingReport(TFinAndTube& geometry, TReportSink& sink);

}  // namespace vantor

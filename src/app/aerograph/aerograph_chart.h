#pragma once

// The psychrometric chart on a chart panel, for the window and for pictures drawn without
// one: dry bulb across, moisture content up in g/kg (as engineers read these charts), ticks
// on round values; the saturation curve, relative humidity every 10 %, wet-bulb and enthalpy
// lines; each file's nodes with their captions and its processes, one colour per file.

#include "aerograph/aerograph_model.h"
#include "text/result.h"

#include <QSize>
#include <QString>

namespace vantor {

class TChartPanel;

// The size of an exported chart.
inline constexpr QSize kAerographPictureSize{1000, 700};

// Margins, axis labels, tick rule and readout of the chart.
void SetUpAerographPanel(TChartPanel& chart);
// The model's ranges, lines, processes and nodes on the chart, in place of what it showed.
void DrawAerographChart(TChartPanel& chart, const TAerographModel& model);

// Reads the files and writes their chart to picture (.png, .pdf or .svg); the first file
// that cannot be read, or a picture that cannot be written, is the failure returned.
TResult ExportAerographChart(const QStringList& files, const QString& picture);

}  // namespace vantor

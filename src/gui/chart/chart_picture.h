#pragma once

// A chart panel drawn as a picture file, PNG, PDF or SVG by the name's extension, with the
// texts a reader needs when the picture stands alone: the legend of its curves, each in the
// curve's colour, and a line of values beneath.

#include "chart/picture_format.h"
#include "text/result.h"

#include <QColor>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

namespace vantor {

class TChartPanel;

struct TLegendEntry {
    QString Text;
    QColor Colour;
};

// What is written under the chart: one line of legend entries, then one line of values.
struct TChartNotes {
    std::vector<TLegendEntry> Legend;
    std::vector<TLegendEntry> Values;
};

// Paints the chart and its notes in size: the chart above, the notes in a band below it.
void PaintChartPicture(QPainter& painter, const QSize& size, const TChartPanel& chart, const TChartNotes& notes);

// Writes the picture of PaintChartPicture to fileName, whose extension chooses the format;
// another extension is refused with a message, as is a file that cannot be written.
TResult WriteChartPicture(const TChartPanel& chart, const TChartNotes& notes, const QSize& size,
                          const QString& fileName);

}  // namespace vantor

#pragma once

// A point of a chart panel: a position in world units with its marker, colours and label.
// A point belongs to its panel, either free or as one of a curve's points.

#include <QColor>
#include <QPixmap>
#include <QPolygon>
#include <QString>
#include <QVariant>

namespace vantor {

class TChartPanel;
class TChartLine;

enum class TMarkerKind { mkNone = 0, mkBitmap = 1, mkCircle = 2, mkSquare = 3, mkPolygon = 4, mkCrossHair = 5 };

// How a point is marked. Size is in pixels; a bitmap's size is (width + height)/2. A
// polygon's corners are pixel offsets from the point. A cross-hair spans the plot area.
struct TChartMarker {
    TMarkerKind Kind = TMarkerKind::mkNone;
    int Size = 0;
    QPolygon Polygon;
    QPixmap Bitmap;

    // How far the marker reaches from its point; a curve's segments stop there.
    double Radius() const;
};

struct TPointStyle {
    QColor PenColor = Qt::black;
    QColor BrushColor = Qt::black;
    // The colours while the point is picked.
    QColor PickedPenColor = Qt::red;
    QColor PickedBrushColor = Qt::red;
    Qt::PenStyle PenStyle = Qt::SolidLine;
    int PenWidth = 1;
    TChartMarker Marker;
    bool Pickable = false;
};

enum class TPointLabelMode { plNone = 0, plXY = 1, plText = 2 };

struct TPointLabel {
    TPointLabelMode Mode = TPointLabelMode::plNone;
    QString Text;              // shown in plText mode
    bool Transparent = true;   // otherwise drawn on the panel's grid colour
};

class TChartPoint {
public:
    TChartPoint(TChartPanel& panel, TChartLine* curve, double x, double y);

    TChartPanel& Panel() const { return m_panel; }
    // The curve the point belongs to; nullptr for a free point.
    TChartLine* Curve() const { return m_curve; }

    double X() const { return m_x; }
    double Y() const { return m_y; }
    // Moves the point and redraws the panel.
    void SetPosition(double x, double y);

    const TPointStyle& Style() const { return m_style; }
    TPointStyle& Style() { return m_style; }
    const TPointLabel& Label() const { return m_label; }
    TPointLabel& Label() { return m_label; }
    // The label's text as drawn: "x y" with one decimal each, the own text, or nothing.
    QString LabelText() const;

    // Whatever the owner wants to remember with the point.
    QVariant UserData;

private:
    TChartPanel& m_panel;
    TChartLine* m_curve;
    double m_x;
    double m_y;
    TPointStyle m_style;
    TPointLabel m_label;
};

}  // namespace vantor

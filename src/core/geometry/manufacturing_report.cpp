#include "geometry/manufacturing_report.h"

#include "geometry/designation.h"
#include "geometry/fin_and_tube.h"

#include "reports/report_sink.h"
#include "text/format.h"

#include <cmath>
#include <string>

namespace vantor {

namespace {

constexpr double kMillimetresPerMetre = 1000;

// The whole part of x as a count; 0 for a value that is not finite or cannot be one.
long long WholePart(double x)
{
    if (!std::isfinite(x) || std::fabs(x) > 1e15) return 0;
    return static_cast<long long>(std::trunc(x));
}

void Line(TReportSink& sink, const std::string& text) { sink.AppendLine(text, false); }
void Heading(TReportSink& sink, const std::string& text) { sink.AppendLine(text, true); }

std::string MaterialCode(int index, int defaultIndex) { return std::string(MaterialAt(index, defaultIndex).Code); }

}  // namespace

void ManufacturingReport(TFinAndTube& geometry, TReportSink& sink)
{
    const double weight = geometry.ComputeWeight();
    const TModelRec& rec = geometry.ModelRecord();
    const TModelRec defaults;
    const double mm = kMillimetresPerMetre;

    Line(sink, "");
    Heading(sink, "Coil Manufacturing Report");
    Line(sink, rec.Mnf + " (" + rec.Model + ")");
    Line(sink, FormatDesignation(ModelValuesOf(rec)));
    if (const std::string maker = MakerDesignation(rec); !maker.empty()) Line(sink, maker);

    Line(sink, "");
    Heading(sink, "Dimensions");
    Line(sink, Format("Height\t%0.1f\tmm", {rec.fHeight * mm}));
    Line(sink, Format("Length\t%0.1f\tmm", {rec.fLength * mm}));
    Line(sink, Format("Depth\t%0.1f\tmm", {geometry.Depth() * mm}));
    Line(sink, Format("Rows\t%0.1f\t", {rec.Rows}));
    Line(sink, Format("Fins\t%0.2f\tfpi", {rec.fpi}));
    Line(sink, Format("Weight\t%0.1f\tkg", {weight}));
    Line(sink, "");

    // Tubes per circuit, and the tubes left over when every circuit takes that many.
    const double tubes = geometry.TubeCount();
    const long long perCircuit = rec.Circ > 0 ? WholePart(tubes / rec.Circ) : 0;
    Heading(sink, "Circuiting");
    Line(sink, Format("Tubes High\t%d\t", {geometry.TubesHigh()}));
    Line(sink, Format("Tube Count\t%0.1f\t", {tubes}));
    Line(sink, Format("Circuits\t%0.0f\t", {rec.Circ}));
    Line(sink, Format("Circuit Basis\t%s", {CircuitBasisLabel(rec.cb)}));
    Line(sink, Format("Tubes/Circuits\t%d\t", {perCircuit}));
    if (perCircuit > 0) {
        const double linked = static_cast<double>(perCircuit) * rec.Circ;
        Line(sink, Format("Unlinked tubes\t%d\t", {WholePart(tubes - linked * std::trunc(tubes / linked))}));
    }
    Line(sink, Format("Serpentine\t%s\t", {CircuitFractionLabel(geometry.SerpentineIndex())}));
    Line(sink, Format("Eq Length\t%0.1f\tm", {geometry.TubeSideGeometry().EquivalentLength}));
    Line(sink, Format("Connections\t%s end\t", {ConnectionEndLabel(geometry.OppositeEnd())}));
    Line(sink, "");

    Heading(sink, Format("Tube (%s Pattern)", {TubePatternLabel(rec.tp)}));
    Line(sink, Format("ID\t%0.3f\tmm", {rec.ID * mm}));
    Line(sink, Format("OD\t%0.3f\tmm", {rec.OD * mm}));
    Line(sink, Format("Sx\t%0.3f\tmm", {rec.Sx * mm}));
    Line(sink, Format("Sy\t%0.3f\tmm", {rec.Sy * mm}));
    Line(sink, "");

    // The area factor multiplies the plain plate area: a ratio, so it carries no unit.
    Heading(sink, "Fin");
    Line(sink, Format("Thickness\t%0.3f\tmm", {rec.tf * mm}));
    Line(sink, Format("Area factor\t%0.3f\t", {rec.fc}));
    Line(sink, "");

    Heading(sink, "Material");
    Line(sink, "Fin\t" + MaterialCode(rec.Mf, defaults.Mf) + "\t");
    Line(sink, "Tube\t" + MaterialCode(rec.Mt, defaults.Mt) + "\t");
    Line(sink, "Casing\t" + MaterialCode(rec.Mc, defaults.Mc) + "\t");
}

}  // namespace vantor

#include "geometry/fin_and_tube.h"

#include "geometry/coil_makers.h"
#include "geometry/designation.h"

#include <climits>
#include <cmath>
#include <numbers>

namespace vantor {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMetresPerInch = 0.0254;
// A fin density of zero or less stands for the sparsest fins a maker builds.
constexpr double kSparsestFpi = 2;
// The fin efficiency assumes an air-side film coefficient of 0.04 kW/(m²·K); m² = 2h/(k·t).
constexpr double kTwiceAirCoefficient = 0.08;
// Equivalent length of a return bend, in tube inside diameters.
constexpr double kBendDiameters = 40;
// The casing flanges reach this far beyond the coil depth.
constexpr double kCasingAllowance = 0.05;
// Fittings, brazing and paint on top of the computed masses.
constexpr double kFittingsFactor = 1.05;

bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

bool AllPositive(std::initializer_list<double> values)
{
    for (double v : values)
        if (!(v > 0)) return false;
    return true;
}

double Conductivity(int material, int defaultMaterial)
{
    return MaterialAt(material, defaultMaterial).Conductivity;
}

double Density(int material, int defaultMaterial)
{
    return MaterialAt(material, defaultMaterial).Density;
}

// tanh(ml)/ml, whose limit at ml = 0 (no fin beyond the collar) is 1.
double FinEfficiencyOf(double finParameter)
{
    return finParameter == 0 ? 1 : std::tanh(finParameter) / finParameter;
}

}  // namespace

TFinAndTube::TFinAndTube()
{
    Update();
}

void TFinAndTube::Create(TCoilMakers& catalogue, std::string_view maker, std::string_view designation,
                         int coilType, int tubeCode)
{
    *this = TFinAndTube();
    m_rec.Code = static_cast<std::uint8_t>(coilType >= 0 && coilType < kCoilTypeCount ? coilType : kHotWaterCoil);
    TModelValues values = ModelValuesOf(m_rec);
    m_errorCode = ParseDesignation(designation, values);
    if (m_errorCode == kDesignationOk) SetModelValues(m_rec, values);
    ApplyMnfRec(catalogue.FindByTube(maker, tubeCode), m_rec);
    Update();
}

bool TFinAndTube::ComputeFigures(const TModelRec& r, TFigures& f)
{
    if (!AllFinite({r.fHeight, r.fLength, r.Rows, r.fpi, r.Circ, r.Sx, r.Sy, r.ID, r.OD, r.tf, r.fc, r.ft, r.tc}))
        return false;
    if (!AllPositive({r.fHeight, r.fLength, r.Rows, r.Sx, r.Sy, r.ID, r.OD, r.tf})) return false;

    f.FaceArea = r.fHeight * r.fLength;
    // Rounded half to even, the default rounding mode.
    const double tubesHigh = std::nearbyint(r.fHeight / r.Sy);
    if (!(tubesHigh >= 1 && tubesHigh <= INT_MAX)) return false;
    f.TubesHigh = static_cast<int>(tubesHigh);
    f.TubeCount = tubesHigh * r.Rows;

    const double circuitsPerTube = r.cb == kBasisRowsDeep ? r.Circ / r.Rows : r.Circ / tubesHigh;
    f.Serp = HuntIndex(r.Serp, circuitsPerTube);
    // An odd number of passes per circuit brings the outlet to the other end.
    f.OppositeEnd = std::fmod(std::trunc(f.TubeCount / r.Circ), 2.0) != 0;

    f.FinPitch = kMetresPerInch / r.fpi;
    f.FinCount = r.fLength / f.FinPitch;
    // A part row needs a whole row of fin depth.
    f.Depth = r.Sx * std::ceil(r.Rows);
    const double dc = 2 * r.tf + r.OD;
    f.CollarDiameter = dc;
    // The plate cell Sx × Sy taken as an annular fin of equal area around the collar.
    f.FinEffLength = (std::sqrt(4 * r.Sy * r.Sx / kPi) - dc) / 2;
    f.FinArea = 2 * f.FinCount *
                (r.Sx * r.Sy * f.TubeCount * r.fc + (r.fHeight + f.Depth) * r.tf - f.TubeCount * kPi * dc * dc / 4);
    f.OutsideArea = f.TubeCount * kPi * dc * (r.fLength - f.FinCount * r.tf) + f.FinArea;
    f.AreaPerFaceRow = f.OutsideArea / f.FaceArea / r.Rows;
    f.Sigma = (f.FinPitch - r.tf) * (r.Sy - dc) / (r.Sy * f.FinPitch);
    // Fins or collars that touch leave no passage for the air.
    if (!(f.Sigma > 0)) return false;
    f.FreeFlowArea = f.FaceArea * f.Sigma;
    f.HydraulicDiameter = 4 * f.Sigma * r.Sx / f.AreaPerFaceRow;
    f.BoreArea = kPi * r.ID * r.ID / 4;
    // Each tube carries one return bend whose diameter is the diagonal pitch.
    const double diagonalPitch = std::sqrt(r.Sx * r.Sx + r.Sy * r.Sy);
    f.InsideArea = (diagonalPitch * kPi / 2 + r.fLength) * kPi * r.ID * f.TubeCount * r.ft;
    f.AreaRatio = f.OutsideArea / f.InsideArea;
    // The liquid volume counts a bend of diameter Sy.
    f.InternalVolume = f.TubeCount * f.BoreArea * (kPi * r.Sy / 2 + r.fLength);
    f.FinParameter = std::sqrt(kTwiceAirCoefficient / (Conductivity(r.Mf, kAluminium) * r.tf)) * f.FinEffLength;
    f.FinEfficiency = FinEfficiencyOf(f.FinParameter);
    f.SurfaceEfficiency = 1 - f.FinArea / f.OutsideArea * (1 - f.FinEfficiency);

    return AllFinite({f.FaceArea, f.TubeCount, f.FinPitch, f.FinCount, f.Depth, f.CollarDiameter, f.FinEffLength,
                      f.FinArea, f.OutsideArea, f.AreaPerFaceRow, f.Sigma, f.FreeFlowArea, f.HydraulicDiameter,
                      f.BoreArea, f.InsideArea, f.AreaRatio, f.InternalVolume, f.FinParameter, f.FinEfficiency,
                      f.SurfaceEfficiency});
}

void TFinAndTube::Update()
{
    // These two hold whatever follows: at least one circuit, fins at a positive density.
    if (!(m_rec.Circ >= 1)) m_rec.Circ = 1;
    if (!(m_rec.fpi > 0)) m_rec.fpi = kSparsestFpi;

    TFigures figures;
    if (!ComputeFigures(m_rec, figures)) {
        m_errorCode = kComputationFailed;
        return;
    }
    m_fig = figures;
    m_rec.Serp = figures.Serp;
    m_designationRejected = false;
}

void TFinAndTube::SetDesignation(std::string_view text)
{
    TModelValues values = ModelValuesOf(m_rec);
    m_errorCode = ParseDesignation(text, values);
    if (m_errorCode == kDesignationOk && values.Circ > TubeCountOf(values)) m_errorCode = kDesignationMoreCircuitsThanTubes;
    if (m_errorCode != kDesignationOk) {
        m_rejectedDesignation = std::string(text);
        m_designationRejected = true;
        return;
    }
    SetModelValues(m_rec, values);
    Update();
}

double TFinAndTube::TubeCountOf(const TModelValues& values) const
{
    return std::nearbyint(values.fHeight / m_rec.Sy) * values.Rows;
}

int TFinAndTube::TakeError()
{
    const int code = m_errorCode;
    m_errorCode = 0;
    return code;
}

void TFinAndTube::SetFinHeight(double height)
{
    m_rec.fHeight = height;
    Update();
}

void TFinAndTube::SetFinnedLength(double length)
{
    m_rec.fLength = length;
    Update();
}

void TFinAndTube::SetRows(double rows)
{
    m_rec.Rows = rows;
    Update();
}

void TFinAndTube::SetFinDensity(double fpi)
{
    m_rec.fpi = fpi;
    Update();
}

void TFinAndTube::SetFinMaterial(int index)
{
    m_rec.Mf = static_cast<std::uint8_t>(IsMaterialIndex(index) ? index : kAluminium);
    Update();
}

void TFinAndTube::SetCircuits(double circuits)
{
    m_rec.Circ = circuits >= 1 ? std::min(circuits, kMaxCircuits) : 1;
    Update();
}

void TFinAndTube::SetModelRecord(const TModelRec& rec)
{
    m_rec = rec;
    m_rec.Mnf = LimitedName(m_rec.Mnf);
    m_rec.Model = LimitedName(m_rec.Model);
    RepairCodes(m_rec);
    Update();
}

void TFinAndTube::SetCatalogueRecord(const TMnfRec& range)
{
    ApplyMnfRec(range, m_rec);
    Update();
}

void TFinAndTube::SetMakerModel(TCoilMakers& catalogue, std::string_view maker, std::string_view catalogueLine)
{
    TMnfRec range = catalogue.ParseCatalogueLine(maker, catalogueLine);
    catalogue.MatchModel(maker, range);
    SetCatalogueRecord(range);
}

void TFinAndTube::RematchCatalogue(TCoilMakers& catalogue)
{
    TMnfRec range = MnfRecOf(m_rec);
    catalogue.MatchModel(m_rec.Mnf, range);
    SetCatalogueRecord(range);
}

TTubeSideGeometry TFinAndTube::TubeSideGeometry() const
{
    const double tubes = m_fig.TubeCount;
    const double diagonalPitch = std::sqrt(m_rec.Sx * m_rec.Sx + m_rec.Sy * m_rec.Sy);
    TTubeSideGeometry g;
    g.ID = m_rec.ID;
    g.WallThickness = (m_rec.OD - m_rec.ID) / 2;
    g.TubeConductivity = Conductivity(m_rec.Mt, kCopper);
    g.InsideAreaPerCircuit = m_fig.InsideArea / m_rec.Circ;
    g.BoreArea = m_fig.BoreArea;
    g.FlowArea = m_fig.BoreArea * m_rec.Circ;
    g.BorePerimeter = kPi * m_rec.ID;
    g.EquivalentLength = (tubes * m_rec.fLength + (tubes - 1) * kBendDiameters * m_rec.ID) / m_rec.Circ;
    g.DevelopedLength = (diagonalPitch * kPi / 2 + m_rec.fLength) * tubes / m_rec.Circ;
    return g;
}

TAirSideGeometry TFinAndTube::AirSideGeometry() const
{
    TAirSideGeometry g;
    g.Rows = m_rec.Rows;
    g.Tube = m_rec.Tube;
    g.Sx = m_rec.Sx;
    g.Sy = m_rec.Sy;
    g.tp = m_rec.tp;
    g.OD = m_rec.OD;
    g.FaceArea = m_fig.FaceArea;
    g.FinGap = m_fig.FinPitch - m_rec.tf;
    g.FinEffLength = m_fig.FinEffLength;
    g.tf = m_rec.tf;
    g.FinPitch = m_fig.FinPitch;
    g.CollarDiameter = m_fig.CollarDiameter;
    g.FinConductivity = Conductivity(m_rec.Mf, kAluminium);
    g.TubeConductivity = Conductivity(m_rec.Mt, kCopper);
    g.Sigma = m_fig.Sigma;
    g.HydraulicDiameter = m_fig.HydraulicDiameter;
    g.SurfaceEfficiency = m_fig.SurfaceEfficiency;
    return g;
}

double TFinAndTube::ComputeWeight()
{
    const TModelRec& r = m_rec;
    const double tubeDensity = Density(r.Mt, kCopper);
    const double tubeMassPerMetre = kPi * tubeDensity * (r.OD * r.OD - r.ID * r.ID) / 4;
    // Header size grows with the finned height it collects from; its wall is 8 % of its bore.
    const double headerDiameter = 0.05 * std::pow(r.fHeight, 0.75);
    const double headerWall = 0.08 * headerDiameter;

    TMasses m;
    m.Tube = m_fig.TubeCount * r.fLength * tubeMassPerMetre;
    m.Fin = m_fig.FinCount * r.tf * Density(r.Mf, kAluminium) * r.fHeight * m_fig.Depth;
    m.Casing = (r.fHeight + r.fLength) * 2 * (m_fig.Depth + kCasingAllowance) * r.tc * Density(r.Mc, kGalvanisedIron);
    m.Bend = m_fig.TubeCount * tubeMassPerMetre * kPi * r.Sx / 2;
    m.Header = headerWall * (2 * r.fHeight * kPi * headerDiameter) * tubeDensity;
    m.Dry = kFittingsFactor * (m.Tube + m.Fin + m.Casing + m.Bend + m.Header);
    if (std::isfinite(m.Dry))
        m_mass = m;
    else
        m_errorCode = kComputationFailed;
    return m_mass.Dry;
}

std::string TFinAndTube::Designation() const
{
    return m_designationRejected ? m_rejectedDesignation : FormatDesignation(ModelValuesOf(m_rec));
}

std::string TFinAndTube::MakerDesignation() const
{
    return vantor::MakerDesignation(m_rec);
}

}  // namespace vantor

#include "model/coil.h"

#include "fluids/air_state_text.h"
#include "fluids/liquid.h"
#include "geometry/coil_makers.h"
#include "psychro/psychro.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

// Pressure drop of a coil without air flow, per row, Pa.
constexpr double kStillAirDropPerRow = 5;
// Face velocities up to this count as no air flow, m/s.
constexpr double kStillAirVelocity = 0.001;
// A dew point this far above the fluid inlet wets the fins, K.
constexpr double kWetSurfaceMargin = 1.6;
// Relative humidity of an air text without a wet bulb.
constexpr double kDefaultRelativeHumidity = 0.5;

// A new coil's geometry as TFinAndTube::Create builds it, with the built-in range when there
// is no catalogue. A designation error is left in the geometry for TakeError.
TFinAndTube CreateGeometry(std::string_view designation, int coilType, const TTubeRange& range)
{
    TFinAndTube geometry;
    if (range.Catalogue) {
        geometry.Create(*range.Catalogue, range.Maker, designation, coilType, range.TubeCode);
        return geometry;
    }
    TModelRec rec;
    rec.Code = static_cast<std::uint8_t>(coilType >= 0 && coilType < kCoilTypeCount ? coilType : kHotWaterCoil);
    ApplyMnfRec(DefaultMnfRec(), rec);
    geometry.SetModelRecord(rec);
    geometry.SetDesignation(designation);
    return geometry;
}

}  // namespace

TCoil::TCoil(const TCoilAttachment& attachment, std::string_view designation, int coilType, const TTubeRange& range)
    : TCustomHeatExchanger(designation, attachment.Liquid),
      m_airOn(&attachment.AirOn),
      m_airOff(&attachment.AirOff),
      m_geometry(CreateGeometry(designation, coilType, range))
{
    Title = "Coil";
    ModelValid = m_geometry.TakeError() == 0;
    SetModelText(ModelValid ? designation : kFallbackDesignation);
}

template <typename Change>
void TCoil::ChangeGeometry(Change change)
{
    change(m_geometry);
    m_geometryAccepted = m_geometry.TakeError() == 0;
}

std::string TCoil::GetModelText()
{
    StoreModelText(m_geometry.Designation());
    return ModelText();
}

void TCoil::SetModelText(std::string_view text)
{
    StoreModelText(text);
    ChangeGeometry([text](TFinAndTube& g) { g.SetDesignation(text); });
    ModelValid = m_geometryAccepted;
    if (!ModelValid) return;
    UpdateTubeProperties();
    RefreshGeometry();
}

void TCoil::UpdateTubeProperties()
{
    const TTubeSideGeometry tubes = m_geometry.TubeSideGeometry();
    WallThickness = tubes.WallThickness;
    WallConductivity = tubes.TubeConductivity;
}

void TCoil::SetDesignDuty(double) {}

void TCoil::RefreshGeometry()
{
    m_tubeSide = m_geometry.TubeSideGeometry();
    Ao = m_geometry.OutsideArea();
    Ai = m_geometry.InsideArea();
    Af = m_geometry.FinArea();
    AoAi = m_geometry.AreaRatio();
    m_airSide = m_geometry.AirSideGeometry();
    m_surfaceEff = m_airSide.SurfaceEfficiency;
    Vi = m_geometry.InternalVolume();
}

void TCoil::AttachAir(TMoistAirState& airOn, TMoistAirState& airOff)
{
    m_airOn = &airOn;
    m_airOff = &airOff;
}

void TCoil::SetMassFlow(double massFlow)
{
    m_airMassFlow = massFlow;
    m_airOn->M = massFlow;
    m_airOff->M = massFlow;
    m_airVolume = massFlow / m_airOn->ro;
    m_faceVelocity = m_airVolume / FaceArea();
    m_airCapacity = massFlow * m_airOn->cp;
}

void TCoil::SetAirVolume(double volume) { SetMassFlow(volume * m_airOn->ro); }

void TCoil::SetFaceVelocity(double velocity) { SetMassFlow(velocity * FaceArea() * m_airOn->ro); }

void TCoil::SetAirOnText(std::string_view text)
{
    ParseAirState(text, *m_airOn, m_airOn->P, kDefaultRelativeHumidity);
    SetFaceVelocity(m_faceVelocity);
}

std::string TCoil::AirOffText() const { return FormatAirState(*m_airOff, "%0.1f"); }

void TCoil::SetBarometer(double P)
{
    SetState(*m_airOn, P, m_airOn->db, m_airOn->wb, pcDbWb);
    SetState(*m_airOff, P, m_airOff->db, m_airOff->wb, pcDbWb);
    SetFaceVelocity(m_faceVelocity);
}

double TCoil::Barometer() const { return (m_airOn->P + m_airOff->P) / 2; }

void TCoil::SetAirOnDryBulb(double t) { SetState(*m_airOn, m_airOn->P, t, m_airOn->W, pcDbW); }

void TCoil::SetAirOnWetBulb(double t) { SetState(*m_airOn, m_airOn->P, t, m_airOn->RH, pcWbRH); }

double TCoil::AirPressureDrop() const
{
    const double rows = std::ceil(Rows());
    if (!(m_faceVelocity > kStillAirVelocity)) return kStillAirDropPerRow * rows;

    const double sigma = m_airSide.Sigma;
    const double sigma2 = sigma * sigma;
    const double rhoIn = m_airOn->ro;
    const double rhoOut = m_airOff->ro;
    // Exit and entrance loss coefficients of the fin passages (Kays and London).
    const double Ke = 1.006211 - 2.142254 * sigma + 1.105172 * sigma2 - 0.058724 * sigma2 * sigma;
    const double Kc = 0.503138 - 0.038765 * sigma - 0.299002 * sigma2 - 0.076219 * sigma2 * sigma;
    const double vMax = m_faceVelocity / sigma;
    const double Re = rhoIn * vMax * m_airSide.HydraulicDiameter / m_airOn->mu;
    const double f = std::exp(-1.2 - 0.3 * std::log(Re));
    const double rhoMean = (rhoIn + rhoOut) / 2;
    const double dryDrop =
        vMax * vMax * (rhoIn / 2) *
        ((Kc + 1 - sigma2) + 2 * (rhoIn / rhoOut - 1) +
         f * rows * m_geometry.AreaPerFaceRow() / sigma * rhoIn / rhoMean - (1 - sigma2 - Ke) * rhoIn / rhoOut);

    const double margin = m_airOn->td - Liquid().tfi;
    if (margin < kWetSurfaceMargin) return AirDPFactor * dryDrop;
    // Condensate bridging the fins raises the drop; the allowance grows with the margin in °F
    // and with the fin density.
    const double marginF = std::abs(margin) * 1.8;
    const double wet = std::max(1.0, (1.2 - std::exp((6.29 - marginF) / 25.2)) * (0.10746 * fpi() - 0.03282) + 0.915677);
    return AirDPFactor * wet * dryDrop;
}

double TCoil::CondensateRate() const { return (m_airOn->W - m_airOff->W) * m_airMassFlow; }

void TCoil::SetFinHeight(double height)
{
    ChangeGeometry([height](TFinAndTube& g) { g.SetFinHeight(height); });
    RefreshGeometry();
}

void TCoil::SetFinnedLength(double length)
{
    ChangeGeometry([length](TFinAndTube& g) { g.SetFinnedLength(length); });
    RefreshGeometry();
}

void TCoil::SetRows(double rows)
{
    ChangeGeometry([rows](TFinAndTube& g) { g.SetRows(rows); });
    RefreshGeometry();
}

void TCoil::SetFinDensity(double fpi)
{
    ChangeGeometry([fpi](TFinAndTube& g) { g.SetFinDensity(fpi); });
    RefreshGeometry();
}

void TCoil::SetFinMaterial(int index)
{
    ChangeGeometry([index](TFinAndTube& g) { g.SetFinMaterial(index); });
    RefreshGeometry();
}

void TCoil::SetCircuits(double circuits)
{
    ChangeGeometry([circuits](TFinAndTube& g) { g.SetCircuits(circuits); });
    m_tubeSide = m_geometry.TubeSideGeometry();
    UpdateTubeProperties();
}

void TCoil::SetTubeMaterial(int index)
{
    TModelRec rec = m_geometry.ModelRecord();
    rec.Mt = static_cast<std::uint8_t>(IsMaterialIndex(index) ? index : kCopper);
    ChangeGeometry([&rec](TFinAndTube& g) { g.SetModelRecord(rec); });
    UpdateTubeProperties();
    RefreshGeometry();
}

// A new record or tube range may change the tubes and the circuits: the tube side follows,
// as it does for a designation.
void TCoil::SetModelRecord(const TModelRec& rec)
{
    ChangeGeometry([&rec](TFinAndTube& g) { g.SetModelRecord(rec); });
    UpdateTubeProperties();
    RefreshGeometry();
}

void TCoil::SetMakerModel(TCoilMakers& catalogue, std::string_view maker, std::string_view catalogueLine)
{
    ChangeGeometry([&](TFinAndTube& g) { g.SetMakerModel(catalogue, maker, catalogueLine); });
    UpdateTubeProperties();
    RefreshGeometry();
}

}  // namespace vantor

#pragma once

// A finned-tube coil seen from the air. It owns the fin-and-tube geometry, refers to the
// document's on-coil and off-coil air and heating fluid, keeps the air flow in three
// equivalent forms (volume at the on-coil density, mass, face velocity), computes the air
// pressure drop, and sizes its geometry for a duty by rating it again after every change.
// The duty itself is solved by a derived class.

#include "model/custom_heat_exchanger.h"

#include "geometry/fin_and_tube.h"
#include "psychro/moist_air_state.h"

#include <string>
#include <string_view>

namespace vantor {

class TCoilMakers;
class TUnitsRegistry;

// The document's objects a coil works on; none is owned by the coil.
struct TCoilAttachment {
    TMoistAirState& AirOn;
    TMoistAirState& AirOff;
    TLiquid& Liquid;
};

// Where a new coil takes its tube range: the maker's range for the tube code from a
// catalogue, or the built-in 1/2 inch range when no catalogue is given.
struct TTubeRange {
    TCoilMakers* Catalogue = nullptr;
    std::string_view Maker = "Default";
    int TubeCode = 4;
};

class TCoil : public TCustomHeatExchanger {
public:
    // Replaces a designation the coil cannot be built from.
    static constexpr std::string_view kFallbackDesignation = "544 x 720 4r 12f  (14c)";

    // The geometry's designation, which the coil also keeps as its model text.
    std::string GetModelText() override;
    // Takes the designation when the geometry accepts it; otherwise ModelValid becomes false
    // and the geometry stays as it was.
    void SetModelText(std::string_view text) override;
    // The wall of the tubes (and, for a liquid coil, the flow area) from the geometry.
    virtual void UpdateTubeProperties();
    // Prepares the coil for sizing to a duty, kW; nothing for a bare coil.
    virtual void SetDesignDuty(double Q);
    // The coil and air parts of the result reports; derived coils add theirs.
    void ReportText(TReportSink& sink) const override;
    void Diagnostics(TReportSink& sink) const override;
    std::string CsvText() const override;

    // The registry whose records give the unit each reported quantity is shown in: the
    // standard units until the document hands over its own, which must outlive the coil.
    void SetUnitsRegistry(const TUnitsRegistry& units) { m_units = &units; }
    const TUnitsRegistry& UnitsRegistry() const;

    // Copies the geometry's figures the rating uses.
    void RefreshGeometry();
    // False when the geometry refused the last change (a designation or a record it cannot
    // compute): the figures then belong to an earlier coil and the coil does not rate.
    bool GeometryAccepted() const { return m_geometryAccepted; }

    // The three forms of the air flow; each keeps the other two consistent.
    void SetMassFlow(double massFlow);
    void SetAirVolume(double volume);
    void SetFaceVelocity(double velocity);
    double AirVolume() const { return m_airVolume; }
    double AirMassFlow() const { return m_airMassFlow; }
    double FaceVelocity() const { return m_faceVelocity; }
    double AirCapacity() const { return m_airCapacity; }

    // Air states. The text setter raises the conversion error of a text that is not a
    // number; the others report through the psychrometric status.
    void SetAirOnText(std::string_view text);
    std::string AirOffText() const;
    void SetBarometer(double P);
    double Barometer() const;
    double AirOnDryBulb() const { return m_airOn->db; }
    void SetAirOnDryBulb(double t);
    void SetAirOnWetBulb(double t);
    TMoistAirState& AirOn() const { return *m_airOn; }
    TMoistAirState& AirOff() const { return *m_airOff; }

    // Pa, with the calibration factor, and an allowance for wet fins when the fluid enters
    // 1.6 K or more below the on-coil dew point.
    double AirPressureDrop() const;
    // kg/s; zero for a heating coil.
    double CondensateRate() const;

    // Geometry setters: each changes the geometry and refreshes the coil's copies.
    void SetFinHeight(double height);
    void SetFinnedLength(double length);
    void SetRows(double rows);
    void SetFinDensity(double fpi);
    void SetFinMaterial(int index);
    void SetCircuits(double circuits);
    void SetTubeMaterial(int index);
    void SetModelRecord(const TModelRec& rec);
    void SetMakerModel(TCoilMakers& catalogue, std::string_view maker, std::string_view catalogueLine);

    // Geometry readers.
    double FaceArea() const { return m_geometry.FaceArea(); }
    double Rows() const { return m_geometry.ModelRecord().Rows; }
    double fLength() const { return m_geometry.ModelRecord().fLength; }
    double fHeight() const { return m_geometry.ModelRecord().fHeight; }
    double Depth() const { return m_geometry.Depth(); }
    double Circ() const { return m_geometry.ModelRecord().Circ; }
    double fpi() const { return m_geometry.ModelRecord().fpi; }
    int SerpentineIndex() const { return m_geometry.SerpentineIndex(); }
    // A change made here takes effect in the coil at its next refresh.
    TFinAndTube& Geometry() { return m_geometry; }
    const TFinAndTube& Geometry() const { return m_geometry; }
    const TTubeSideGeometry& TubeSide() const { return m_tubeSide; }
    const TAirSideGeometry& AirSide() const { return m_airSide; }
    double SurfaceEff() const { return m_surfaceEff; }

    void SetAirSideFn(TAirSideFn fn) { m_airSideFn = fn; }
    TAirSideFn AirSideFn() const { return m_airSideFn; }

    // Sizing: each takes the air volume, m³/s (0 or less: none given, every trial runs at
    // DesignVf and the volume follows from the face), and the duty, kW, and returns Solved,
    // CountOut or DataError, also left in Status. The coil stays rated at the last trial,
    // which is always one that can be built: its face within the limits below, at most one
    // circuit per tube and the same whole number of tubes in every circuit. A sizing is
    // Solved only when its coil gives at least 0.98 of the duty; one that ends short of it
    // fails with DutyOutOfReach set.
    TSolveStatus SizeFaceArea(double airVolume, double duty);
    TSolveStatus SizeHeight(double airVolume, double duty);
    TSolveStatus SizeLength(double airVolume, double duty);
    TSolveStatus SizeRowsAndFins(double airVolume, double duty);
    TSolveStatus SizeRows(double airVolume, double duty);
    TSolveStatus SizeFins(double airVolume, double duty);
    // The last sizing failed because no coil it may build reaches the duty.
    bool DutyOutOfReach = false;
    static constexpr std::string_view kDutyOutOfReachText = "could not reach the duty within the coil's limits";

    // Sizing settings and limits, m/s, m.
    double DesignVf = 2.5;      // face velocity aimed at
    double DesignAspect = 1.4;  // finned length over finned height aimed at
    double MaxHeight = 9.144;
    double MinHeight = 0.0254;
    double MaxLength = 10;
    double MinLength = 0.1;
    double DesignRows = 4;
    int DesignFins = 10;
    // Duty one m³/s of air is expected to take up, kW/(m³/s): the air volume estimate of a
    // sizing without a given flow; learnt from every successful face-area, height or length
    // sizing.
    double DutyPerVolume = 15.8;
    // Values the design settings restore.
    double DefaultAspect = 1.4;
    double DefaultRows = 4;
    int DefaultFins = 10;
    std::string DefaultAirOn;
    double DefaultVf = 2.5;
    double ADP = 10.0;           // apparatus dew point shown in the diagnostics, °C
    double BypassFactor = 0;     // e^(−NtuAir) of the last solve
    double AirDPLimit = 250;     // Pa; the fin and tube editor marks a larger drop
    TAirSideResult AirSideResult;

protected:
    TCoil(const TCoilAttachment& attachment, std::string_view designation, int coilType, const TTubeRange& range);

    void AttachAir(TMoistAirState& airOn, TMoistAirState& airOff);

private:
    // Applies a change to the geometry and notes whether the geometry accepted it.
    template <typename Change>
    void ChangeGeometry(Change change);

    TMoistAirState* m_airOn;
    TMoistAirState* m_airOff;
    TFinAndTube m_geometry;
    bool m_geometryAccepted = true;
    TTubeSideGeometry m_tubeSide;
    TAirSideGeometry m_airSide;
    double m_surfaceEff = 0;
    double m_airVolume = 0;
    double m_airMassFlow = 0;
    double m_faceVelocity = 0;
    double m_airCapacity = 0;
    TAirSideFn m_airSideFn = FinTubeAirSide;
    const TUnitsRegistry* m_units = nullptr;  // the document's, not owned; none: standard units
};

}  // namespace vantor

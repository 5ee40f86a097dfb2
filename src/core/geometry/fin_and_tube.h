#pragma once

// The physical coil: a block of plate fins fHeight high and fLength long, pierced by tubes
// Rows deep and TubesHigh high, joined into Circ parallel circuits. It keeps the coil model
// record and derives from it, after every change, the areas, volumes, fin and surface
// efficiencies, the free-flow data of the air side and the circuiting figures. SI units:
// metres, m², m³, kg.
//
// A record that cannot describe a coil (a pitch, diameter, fin thickness, height, length or
// row count of zero or less, a height below half a tube pitch, a value that is not finite,
// tubes or fins that leave no free-flow area) is refused by Update with ErrorCode 1: the
// derived figures then keep the values of the last record that could be computed, so they
// are always finite. A caller that changed the record checks TakeError before relying on
// the figures.

#include "geometry/mnf_rec.h"
#include "geometry/model_rec.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vantor {

class TCoilMakers;

// What the fluid-side relations need of the tubes.
struct TTubeSideGeometry {
    double ID = 0;
    double WallThickness = 0;
    double TubeConductivity = 0;      // kW/(m·K)
    double InsideAreaPerCircuit = 0;
    double BoreArea = 0;              // one tube
    double FlowArea = 0;              // all circuits
    double BorePerimeter = 0;
    double EquivalentLength = 0;      // per circuit, each return bend counted as 40 diameters
    double DevelopedLength = 0;       // per circuit, bends included
};

// What the air-side relations need of the fins and tubes.
struct TAirSideGeometry {
    double Rows = 0;
    std::int32_t Tube = 0;
    double Sx = 0;
    double Sy = 0;
    std::uint8_t tp = 0;
    double OD = 0;
    double FaceArea = 0;
    double FinGap = 0;
    double FinEffLength = 0;
    double tf = 0;
    double FinPitch = 0;
    double CollarDiameter = 0;
    double FinConductivity = 0;       // kW/(m·K)
    double TubeConductivity = 0;      // kW/(m·K)
    double Sigma = 0;
    double HydraulicDiameter = 0;
    double SurfaceEfficiency = 0;
};

class TFinAndTube {
public:
    // ErrorCode of a record that cannot be computed.
    static constexpr int kComputationFailed = 1;
    static constexpr double kMaxCircuits = 1600;

    // A geometry of the default record (a hot-water coil), computed.
    TFinAndTube();

    // Starts again from the default record with the given coil type, takes the designation
    // when it is accepted, then the maker's range for the tube code from the catalogue.
    void Create(TCoilMakers& catalogue, std::string_view maker, std::string_view designation,
                int coilType, int tubeCode);

    // Recomputes every derived figure from the record, after putting at least one circuit and
    // a positive fin density (2 fpi for none) into it.
    void Update();

    // Takes the designation's five values when it is accepted; otherwise keeps the record,
    // shows the rejected text as the designation and leaves the code for TakeError. Besides
    // the designation's own ranges, more circuits than tubes are refused.
    void SetDesignation(std::string_view text);
    // The tubes a coil of these model values has at this record's tube pitch: tubes high
    // (finned height over the pitch, rounded) times rows.
    double TubeCountOf(const TModelValues& values) const;
    // The last designation or computation error, cleared by taking it.
    int TakeError();

    void SetFinHeight(double height);
    void SetFinnedLength(double length);
    void SetRows(double rows);
    void SetFinDensity(double fpi);
    void SetFinMaterial(int index);       // an index outside Materials gives aluminium
    void SetCircuits(double circuits);    // limited to 1 ... kMaxCircuits
    void SetModelRecord(const TModelRec& rec);  // codes outside their tables take the defaults

    // Takes a tube range into the record, as creation does, and recomputes.
    void SetCatalogueRecord(const TMnfRec& range);
    // A catalogue line of maker, matched against the maker's ranges, taken into the record.
    void SetMakerModel(TCoilMakers& catalogue, std::string_view maker, std::string_view catalogueLine);
    // After a data file was read: the record's range matched against its maker's catalogue.
    void RematchCatalogue(TCoilMakers& catalogue);

    TTubeSideGeometry TubeSideGeometry() const;
    TAirSideGeometry AirSideGeometry() const;

    // Tube, fin, casing, bend and header masses and the dry weight, with 5 % for fittings.
    double ComputeWeight();

    // The standard designation of the record, or the text SetDesignation last rejected.
    std::string Designation() const;
    std::string MakerDesignation() const;

    const TModelRec& ModelRecord() const { return m_rec; }
    int ErrorCode() const { return m_errorCode; }
    int CircuitBasis() const { return m_rec.cb; }
    double TubePitch() const { return m_rec.Sy; }
    int SerpentineIndex() const { return m_rec.Serp; }

    double FinCount() const { return m_fig.FinCount; }
    double Depth() const { return m_fig.Depth; }
    double FreeFlowArea() const { return m_fig.FreeFlowArea; }
    double CollarDiameter() const { return m_fig.CollarDiameter; }
    double FinEffLength() const { return m_fig.FinEffLength; }
    double FinParameter() const { return m_fig.FinParameter; }
    double FinEfficiency() const { return m_fig.FinEfficiency; }
    double SurfaceEfficiency() const { return m_fig.SurfaceEfficiency; }
    double FinPitch() const { return m_fig.FinPitch; }
    double InternalVolume() const { return m_fig.InternalVolume; }
    double FaceArea() const { return m_fig.FaceArea; }
    double OutsideArea() const { return m_fig.OutsideArea; }
    double InsideArea() const { return m_fig.InsideArea; }
    double BoreArea() const { return m_fig.BoreArea; }
    double AreaRatio() const { return m_fig.AreaRatio; }
    double AreaPerFaceRow() const { return m_fig.AreaPerFaceRow; }
    double FinArea() const { return m_fig.FinArea; }
    double Sigma() const { return m_fig.Sigma; }
    double HydraulicDiameter() const { return m_fig.HydraulicDiameter; }
    bool OppositeEnd() const { return m_fig.OppositeEnd; }
    double TubeCount() const { return m_fig.TubeCount; }
    int TubesHigh() const { return m_fig.TubesHigh; }

    double TubeMass() const { return m_mass.Tube; }
    double FinMass() const { return m_mass.Fin; }
    double CasingMass() const { return m_mass.Casing; }
    double BendMass() const { return m_mass.Bend; }
    double HeaderMass() const { return m_mass.Header; }
    double DryWeight() const { return m_mass.Dry; }

private:
    // Everything Update derives from the record.
    struct TFigures {
        double FaceArea = 0;
        int TubesHigh = 0;
        double TubeCount = 0;
        int Serp = kHalfCircuitFraction;
        bool OppositeEnd = false;
        double FinPitch = 0;
        double FinCount = 0;
        double Depth = 0;
        double CollarDiameter = 0;
        double FinEffLength = 0;
        double FinArea = 0;
        double OutsideArea = 0;
        double AreaPerFaceRow = 0;
        double Sigma = 0;
        double FreeFlowArea = 0;
        double HydraulicDiameter = 0;
        double BoreArea = 0;
        double InsideArea = 0;
        double AreaRatio = 0;
        double InternalVolume = 0;
        double FinParameter = 0;
        double FinEfficiency = 0;
        double SurfaceEfficiency = 0;
    };

    struct TMasses {
        double Tube = 0;
        double Fin = 0;
        double Casing = 0;
        double Bend = 0;
        double Header = 0;
        double Dry = 0;
    };

    // The figures of rec; false when rec cannot describe a coil or a figure is not finite.
    static bool ComputeFigures(const TModelRec& rec, TFigures& fig);

    TModelRec m_rec;
    TFigures m_fig;
    TMasses m_mass;
    int m_errorCode = 0;
    // The text SetDesignation refused; shown as the designation until the next Update.
    std::string m_rejectedDesignation;
    bool m_designationRejected = false;
};

}  // namespace vantor

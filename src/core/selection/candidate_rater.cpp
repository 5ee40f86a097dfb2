#include "selection/candidate_rater.h"

#include <cmath>
#include <limits>

namespace vantor {

namespace {

// Any designation builds the coil; every candidate replaces its five values.
constexpr std::string_view kStartDesignation = "544 720 4r 12f 7c";
// Leaving fluid a coil of unknown size starts from when the flow is given, K below the inlet.
constexpr double kStartDrop = 10;

bool Finite(double x) { return std::isfinite(x); }

}  // namespace

TCandidateRater::TCandidateRater(const TSelectionRequest& request)
    : m_request(request),
      m_airOn(request.Requirement.AirOn),
      m_airOff(request.Requirement.AirOn),
      m_liquid(request.Requirement.Fluid),
      m_startLiquid(request.Requirement.Fluid),
      m_coil({m_airOn, m_airOff, m_liquid}, kStartDesignation)
{
    const TSelectionRequirement& req = request.Requirement;
    TLiquid& start = m_startLiquid;
    start.SetTfo(req.FluidInlet);
    start.SetTfi(req.FluidInlet);
    if (req.FluidFlow) {
        m_designFlow = *req.FluidFlow;
        const double drop = req.Duty / (m_designFlow * start.Cp);
        start.SetTfo(req.FluidInlet - (Finite(drop) && drop > 0 ? drop : kStartDrop));
    } else {
        // cp at the mean of the inlet and the design leaving temperature.
        start.SetTfo(req.FluidInlet - req.DesignDT);
        m_designFlow = req.DesignDT > 0 ? req.Duty / (start.Cp * req.DesignDT) : std::numeric_limits<double>::quiet_NaN();
    }
    start.m = m_designFlow;

    const TCalibrationFactors& f = req.Factors;
    m_coil.SetFactors(f.Duty, f.hi, f.ho);
    m_coil.AirDPFactor = f.AirDP;
    m_coil.FluidDPFactor = f.FluidDP;
    m_rangeRecord = m_coil.Geometry().ModelRecord();
}

void TCandidateRater::SetRange(const TMnfRec& range) { ApplyMnfRec(range, m_rangeRecord); }

bool TCandidateRater::SetGeometry(const TCandidateGeometry& geometry)
{
    TModelRec rec = m_rangeRecord;
    rec.fHeight = geometry.Height;
    rec.fLength = geometry.Length;
    rec.Rows = geometry.Rows;
    rec.fpi = geometry.Fins;
    rec.Circ = 1;
    m_coil.SetModelRecord(rec);
    return m_coil.GeometryAccepted();
}

double TCandidateRater::DryWeight() { return m_coil.Geometry().ComputeWeight(); }

double TCandidateRater::EstimatedTubeVelocity(double circuits) const
{
    return m_designFlow / (m_startLiquid.ro * circuits * m_coil.Geometry().BoreArea());
}

std::optional<TRuleOut> TCandidateRater::Rate(double circuits)
{
    m_coil.SetCircuits(circuits);
    if (!m_coil.GeometryAccepted()) return roNotSolved;
    // The same start for every candidate.
    m_airOn = m_request.Requirement.AirOn;
    m_airOff = m_airOn;
    m_liquid = m_startLiquid;
    m_coil.SetAirVolume(m_request.Requirement.AirVolume);
    TLiquidState& state = m_coil.LiquidState;
    state.ctrl = TFluidControl::Flow;
    state.designdt = m_liquid.tfi - m_liquid.tfo;
    state.SetMassFlow(m_designFlow);
    m_coil.Qt = 0;
    m_solveResult = m_coil.Solve();
    return Check();
}

std::optional<TRuleOut> TCandidateRater::Check() const
{
    const TSelectionLimits& limits = m_request.Limits;
    const double duty = m_request.Requirement.Duty;
    const double Qt = m_coil.Qt;
    const double airDrop = m_coil.AirPressureDrop();
    const double fluidDrop = m_coil.FluidPressureDrop();
    const double vw = m_coil.LiquidState.vw;
    const double faceVelocity = m_coil.FaceVelocity();
    if (m_solveResult != TSolveStatus::Solved || m_coil.Status != TSolveStatus::Solved || !Finite(Qt) ||
        !Finite(airDrop) || !Finite(fluidDrop) || !Finite(vw) || !Finite(faceVelocity))
        return roNotSolved;
    if (Qt < duty) return roDutyTooLow;
    if (Qt > duty * (1 + limits.Margin)) return roDutyTooHigh;
    if (airDrop > limits.MaxAirDrop) return roAirDrop;
    if (fluidDrop > limits.MaxFluidDrop) return roFluidDrop;
    if (vw < limits.MinTubeVelocity || vw > limits.MaxTubeVelocity) return roTubeVelocity;
    if (faceVelocity > limits.MaxFaceVelocity) return roFaceVelocity;
    return std::nullopt;
}

TSelectionResult TCandidateRater::Result()
{
    const TModelRec& rec = m_coil.Geometry().ModelRecord();
    const double duty = m_request.Requirement.Duty;
    TSelectionResult r;
    r.Maker = rec.Mnf;
    r.Range = rec.Model;
    r.Designation = m_coil.Geometry().Designation();
    r.MakerDesignation = m_coil.Geometry().MakerDesignation();
    r.Rows = rec.Rows;
    r.fpi = rec.fpi;
    r.Circ = rec.Circ;
    r.fHeight = rec.fHeight;
    r.fLength = rec.fLength;
    r.FaceVelocity = m_coil.FaceVelocity();
    r.Duty = m_coil.Qt;
    r.Margin = m_coil.Qt / duty - 1;
    r.AirPressureDrop = m_coil.AirPressureDrop();
    r.FluidPressureDrop = m_coil.FluidPressureDrop();
    r.FluidFlow = m_coil.LiquidState.MassFlow();
    r.TubeVelocity = m_coil.LiquidState.vw;
    r.AirOff = m_airOff;
    r.LeavingTemp = m_coil.LiquidState.LeavingTemp();
    r.PipeSize = m_coil.PipeSize();
    r.DryWeight = DryWeight();
    return r;
}

}  // namespace vantor

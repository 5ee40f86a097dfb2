// Coil sizing: a coil for a wanted duty, found by changing its geometry and rating it again
// after every change.

#include "model/coil.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace vantor {

namespace {

constexpr double kSmallestDuty = 0.01;  // kW
constexpr double kFirstTrialFactor = 0.98;
constexpr double kSecantDamping = 0.9;
constexpr double kSmallestArea = 0.00254;     // m²
constexpr double kDutyTolerance = 1e-4;       // kW
constexpr double kAreaTolerance = 1e-6;       // m²
constexpr double kStallDutyChange = 1e-9;     // kW
constexpr double kStallDutyError = 1;         // kW
constexpr int kMaxSecantSteps = 50;
constexpr double kMinDutyPerVolume = 10;
constexpr double kMaxDutyPerVolume = 40;
constexpr double kHeightBandAbove = 1.01;
// The least share of the duty a sized coil gives; below it the duty is out of reach.
constexpr double kDutyBandBelow = 0.98;
// Heights and tube counts within this of a whole number of steps or tubes count as whole.
constexpr double kWholeTolerance = 1e-9;
// The height search walks the whole height range at worst; a range of more steps than this
// (a tube pitch that is a sliver of the largest height) is refused rather than walked.
constexpr double kMaxHeightSteps = 10000;

constexpr std::array<double, 4> kRowCandidates{3, 4, 5, 6};
constexpr std::array<double, 4> kFinCandidates{8, 10, 12, 14};
constexpr std::array<double, 3> kFinOnlyCandidates{8, 10, 12};
constexpr double kFirstRows = 4;
constexpr double kFirstFins = 10;

bool Positive(double x) { return std::isfinite(x) && x > 0; }

// The circuit count nearest, by ratio, to the wanted one that gives every circuit the same
// whole number of tubes: a divisor of the tube count, so that no circuit is without a tube
// and no tube is left unlinked. A part row cannot be split evenly; its circuits stay at most
// one per tube.
double BuildableCircuits(double tubes, double wanted)
{
    const double most = std::min(std::floor(tubes + kWholeTolerance), TFinAndTube::kMaxCircuits);
    if (!(most >= 1)) return 1;
    const double aim = std::max(wanted, 1.0);
    const double whole = std::round(tubes);
    if (std::abs(tubes - whole) > kWholeTolerance) return std::clamp(std::round(aim), 1.0, most);
    double best = 1;
    double bestMiss = std::abs(std::log(aim));
    for (double perCircuit = 1; perCircuit * perCircuit <= whole; ++perCircuit) {
        if (std::fmod(whole, perCircuit) != 0) continue;
        for (double circuits : {perCircuit, whole / perCircuit}) {
            const double miss = std::abs(std::log(circuits / aim));
            if (circuits <= most && (miss < bestMiss || (miss == bestMiss && circuits < best))) {
                best = circuits;
                bestMiss = miss;
            }
        }
    }
    return best;
}

struct TCandidate {
    double Rows;
    double Fins;  // fins per inch
};

// One sizing run: the coil, the air flow every trial runs at and the duty aimed at.
class TSizing {
public:
    // airVolume of 0 or less: none given, every trial runs at the design face velocity.
    TSizing(TCoil& coil, double airVolume, double duty)
        : m_coil(coil), m_givenVolume(airVolume), m_duty(duty), m_wantedCircuits(coil.Circ())
    {
    }

    // Prepares the coil for the duty; the circuits the fluid flow asks for are kept as the
    // aim every trial's tubes are circuited to.
    void AimAtDuty()
    {
        m_coil.SetDesignDuty(m_duty);
        m_wantedCircuits = m_coil.Circ();
    }

    // The air volume a face sizing starts from: the given one, or an estimate from the duty.
    double StartVolume()
    {
        if (!VolumeGiven()) return m_duty / m_coil.DutyPerVolume;
        m_coil.SetAirVolume(m_givenVolume);
        return m_coil.AirVolume();
    }

    bool SettingsUsable() const
    {
        const TCoil& c = m_coil;
        return Positive(c.DesignVf) && Positive(c.DesignAspect) && Positive(c.MinHeight) &&
               Positive(c.MaxHeight) && c.MinHeight <= c.MaxHeight && Positive(c.MinLength) &&
               Positive(c.MaxLength) && c.MinLength <= c.MaxLength && Positive(HeightStep()) &&
               c.MaxHeight / HeightStep() <= kMaxHeightSteps && LowestHeight() <= HighestHeight();
    }

    // The height steps within the height limits.
    double LowestHeight() const
    {
        const double step = HeightStep();
        return std::max(std::ceil(m_coil.MinHeight / step - kWholeTolerance), 1.0) * step;
    }
    double HighestHeight() const
    {
        const double step = HeightStep();
        return std::floor(m_coil.MaxHeight / step + kWholeTolerance) * step;
    }

    // The coil as last rated gives at least the lower band of the duty.
    bool DutyReached() const { return m_coil.Status == TSolveStatus::Solved && m_coil.Qt >= kDutyBandBelow * m_duty; }
    // The last trial rated well and falls short of the lower band.
    bool EndedShort() const
    {
        return m_rated && m_coil.Status == TSolveStatus::Solved && std::isfinite(m_coil.Qt) &&
               m_coil.Qt < kDutyBandBelow * m_duty;
    }

    // Heights move in steps of two tube pitches, whole tube pairs.
    double HeightStep() const { return 2 * m_coil.Geometry().TubePitch(); }

    // The height for an area at the design aspect, rounded up to a whole number of steps (an
    // exact multiple still moves one step up).
    double SteppedHeight(double area) const
    {
        const double step = HeightStep();
        return std::floor(std::sqrt(area / m_coil.DesignAspect) / step + 1) * step;
    }

    // Secant on the face area a; trial sets the geometry for a, rates, and returns the area
    // actually used.
    template <typename Trial>
    TSolveStatus Secant(double area, Trial trial)
    {
        double x0 = trial(area);
        double d0 = Error();
        double x1 = trial(kFirstTrialFactor * x0);
        double d1 = Error();
        double dx = x0 - x1;
        double dd = d0 - d1;
        TSolveStatus status = std::abs(dx) < kAreaTolerance     ? AreaSettled(d1)
                              : std::abs(dd) < kStallDutyChange ? TSolveStatus::DataError
                                                                : TSolveStatus::Iterating;
        for (int steps = 0; status == TSolveStatus::Iterating;) {
            const double next = x1 - kSecantDamping * d1 * dx / dd;
            if (!std::isfinite(next)) return TSolveStatus::DataError;
            x0 = x1;
            d0 = d1;
            x1 = trial(std::max(next, kSmallestArea));
            d1 = Error();
            dx = x0 - x1;
            dd = d0 - d1;
            ++steps;
            if (m_coil.Status != TSolveStatus::Solved)
                status = TSolveStatus::DataError;
            else if (std::abs(d1) < kDutyTolerance)
                status = TSolveStatus::Solved;
            else if (std::abs(dx) < kAreaTolerance)
                status = AreaSettled(d1);
            else if (std::abs(dd) < kStallDutyChange && std::abs(d1) > kStallDutyError)
                status = TSolveStatus::DataError;
            else if (steps > kMaxSecantSteps)
                status = TSolveStatus::CountOut;
        }
        if (status == TSolveStatus::Solved && DutyReached()) LearnDutyPerVolume();
        return status;
    }

    double FaceAreaTrial(double area)
    {
        TCoil& c = m_coil;
        const double height = std::clamp(SteppedHeight(area), c.MinHeight, c.MaxHeight);
        const double length = std::clamp(area / height, c.MinLength, c.MaxLength);
        c.SetFinnedLength(length);
        c.SetFinHeight(height);
        Rate();
        return area;
    }

    double LengthTrial(double area)
    {
        TCoil& c = m_coil;
        const double height = c.fHeight();
        c.SetFinnedLength(std::clamp(area / height, c.MinLength, c.MaxLength));
        Rate();
        return c.fLength() * height;
    }

    // Steps of two tube pitches from the height that gives the area, down while the duty is
    // more than met, up while it is not.
    TSolveStatus StepHeight(double area)
    {
        TCoil& c = m_coil;
        const double step = HeightStep();
        c.SetFinHeight(area / c.fLength());
        AimAtDuty();
        // Every trial height is a whole number of steps within the height limits.
        const double lowest = LowestHeight();
        const double highest = HighestHeight();
        double height = std::clamp(std::floor(area / c.fLength() / step + 1) * step, lowest, highest);
        HeightTrial(height);
        if (c.Qt >= m_duty) {
            while (kHeightBandAbove * m_duty < c.Qt && c.MinHeight + step < height) HeightTrial(height -= step);
            if (kDutyBandBelow * m_duty > c.Qt) HeightTrial(height += step);
        } else {
            while (c.Qt < m_duty && height + step <= highest + kWholeTolerance) HeightTrial(height += step);
        }
        if (DutyReached()) LearnDutyPerVolume();
        return c.Status;
    }

    // Rates each candidate; a candidate that reaches the duty band beats one that does not,
    // and otherwise a later one replaces the best only when it comes strictly closer to the
    // duty, so the first of equal candidates is kept. Ends rated at the best.
    TSolveStatus SearchCandidates(const TCandidate& first, std::span<const double> rows, std::span<const double> fins)
    {
        AimAtDuty();
        TCandidate best = first;
        double bestError = CandidateTrial(first);
        bool bestReaches = DutyReached();
        for (double r : rows)
            for (double f : fins) {
                const double error = CandidateTrial({r, f});
                const bool reaches = DutyReached();
                if (reaches != bestReaches ? reaches : error < bestError) {
                    best = {r, f};
                    bestError = error;
                    bestReaches = reaches;
                }
            }
        CandidateTrial(best);
        return m_coil.Status;
    }

private:
    bool VolumeGiven() const { return m_givenVolume > 0; }

    // Circuits the trial's tubes, applies the flow and rates.
    void Rate()
    {
        const double circuits = BuildableCircuits(m_coil.Geometry().TubeCount(), m_wantedCircuits);
        if (circuits != m_coil.Circ()) m_coil.SetCircuits(circuits);
        if (VolumeGiven())
            m_coil.SetAirVolume(m_givenVolume);
        else
            m_coil.SetFaceVelocity(m_coil.DesignVf);
        m_coil.Solve();
        m_rated = true;
    }

    double Error() const { return m_duty - m_coil.Qt; }

    // The trial area stopped moving: sized when the duty is met to within the stall
    // threshold, failed when it is missed by more (a length or height limit was reached).
    static TSolveStatus AreaSettled(double dutyError)
    {
        return std::abs(dutyError) > kStallDutyError ? TSolveStatus::DataError : TSolveStatus::Solved;
    }

    void HeightTrial(double height)
    {
        m_coil.SetFinHeight(height);
        Rate();
    }

    // Rates a candidate; returns how far it misses the duty.
    double CandidateTrial(const TCandidate& candidate)
    {
        m_coil.SetRows(candidate.Rows);
        m_coil.SetFinDensity(candidate.Fins);
        Rate();
        return std::abs(m_coil.Qt - m_duty);
    }

    void LearnDutyPerVolume()
    {
        m_coil.DutyPerVolume = std::clamp(m_coil.Qt / m_coil.AirVolume(), kMinDutyPerVolume, kMaxDutyPerVolume);
    }

    TCoil& m_coil;
    double m_givenVolume;
    double m_duty;
    double m_wantedCircuits;
    bool m_rated = false;  // a trial has rated the coil
};

// Runs a sizing body for a duty; a duty below the smallest one (or not a number) and any
// failure raised during the trials give DataError. A coil left rated short of the duty band,
// whatever the search made of it, means the duty is out of reach: DataError.
template <typename Body>
TSolveStatus RunSizing(TCoil& coil, double airVolume, double duty, Body body)
{
    TSolveStatus status = TSolveStatus::DataError;
    coil.DutyOutOfReach = false;
    if (duty >= kSmallestDuty) {
        try {
            TSizing sizing(coil, airVolume, duty);
            status = sizing.SettingsUsable() ? body(sizing) : TSolveStatus::DataError;
            if (sizing.EndedShort()) {
                coil.DutyOutOfReach = true;
                status = TSolveStatus::DataError;
            }
        } catch (...) {
            status = TSolveStatus::DataError;
        }
    }
    coil.Status = status;
    return status;
}

}  // namespace

TSolveStatus TCoil::SizeFaceArea(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [this](TSizing& sizing) {
        const double area = sizing.StartVolume() / DesignVf;
        if (!Positive(area)) return TSolveStatus::DataError;
        SetFinHeight(sizing.SteppedHeight(area));
        sizing.AimAtDuty();
        const TSolveStatus status = sizing.Secant(area, [&sizing](double a) { return sizing.FaceAreaTrial(a); });
        // Every height step brings its own tubes and whole circuits, so the duty jumps where
        // the height does and the secant may hop between two heights until it runs out of
        // steps, or settle short of the duty; it then finishes on the length at the height it
        // reached, where the duty runs smoothly.
        const bool hopped =
            status == TSolveStatus::CountOut || (status == TSolveStatus::Solved && !sizing.DutyReached());
        if (!hopped || Status != TSolveStatus::Solved) return status;
        return sizing.Secant(FaceArea(), [&sizing](double a) { return sizing.LengthTrial(a); });
    });
}

TSolveStatus TCoil::SizeLength(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [this](TSizing& sizing) {
        const double area = sizing.StartVolume() / DesignVf;
        if (!Positive(area)) return TSolveStatus::DataError;
        sizing.AimAtDuty();
        return sizing.Secant(area, [&sizing](double a) { return sizing.LengthTrial(a); });
    });
}

TSolveStatus TCoil::SizeHeight(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [this](TSizing& sizing) {
        const double area = sizing.StartVolume() / DesignVf;
        if (!Positive(area)) return TSolveStatus::DataError;
        return sizing.StepHeight(area);
    });
}

TSolveStatus TCoil::SizeRowsAndFins(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [](TSizing& sizing) {
        return sizing.SearchCandidates({kFirstRows, kFirstFins}, kRowCandidates, kFinCandidates);
    });
}

TSolveStatus TCoil::SizeRows(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [this](TSizing& sizing) {
        const std::array<double, 1> fins{fpi()};
        return sizing.SearchCandidates({kFirstRows, fpi()}, kRowCandidates, fins);
    });
}

TSolveStatus TCoil::SizeFins(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [this](TSizing& sizing) {
        const std::array<double, 1> rows{Rows()};
        return sizing.SearchCandidates({Rows(), kFirstFins}, rows, kFinOnlyCandidates);
    });
}

}  // namespace vantor

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
constexpr double kHeightBandBelow = 0.98;
// The height search walks the whole height range at worst; a range of more steps than this
// (a tube pitch that is a sliver of the largest height) is refused rather than walked.
constexpr double kMaxHeightSteps = 10000;

constexpr std::array<double, 4> kRowCandidates{3, 4, 5, 6};
constexpr std::array<double, 4> kFinCandidates{8, 10, 12, 14};
constexpr std::array<double, 3> kFinOnlyCandidates{8, 10, 12};
constexpr double kFirstRows = 4;
constexpr double kFirstFins = 10;

bool Positive(double x) { return std::isfinite(x) && x > 0; }

struct TCandidate {
    double Rows;
    double Fins;  // fins per inch
};

// One sizing run: the coil, the air flow every trial runs at and the duty aimed at.
class TSizing {
public:
    // airVolume of 0 or less: none given, every trial runs at the design face velocity.
    TSizing(TCoil& coil, double airVolume, double duty) : m_coil(coil), m_givenVolume(airVolume), m_duty(duty) {}

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
               c.MaxHeight / HeightStep() <= kMaxHeightSteps;
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
    int Secant(double area, Trial trial)
    {
        double x0 = trial(area);
        double d0 = Error();
        double x1 = trial(kFirstTrialFactor * x0);
        double d1 = Error();
        double dx = x0 - x1;
        double dd = d0 - d1;
        int status = std::abs(dx) < kAreaTolerance ? AreaSettled(d1)
                     : std::abs(dd) < kStallDutyChange ? ssDataError
                                                       : ssIterating;
        for (int steps = 0; status == ssIterating;) {
            const double next = x1 - kSecantDamping * d1 * dx / dd;
            if (!std::isfinite(next)) return ssDataError;
            x0 = x1;
            d0 = d1;
            x1 = trial(std::max(next, kSmallestArea));
            d1 = Error();
            dx = x0 - x1;
            dd = d0 - d1;
            ++steps;
            if (m_coil.Status != ssSolved)
                status = ssDataError;
            else if (std::abs(d1) < kDutyTolerance)
                status = ssSolved;
            else if (std::abs(dx) < kAreaTolerance)
                status = AreaSettled(d1);
            else if (std::abs(dd) < kStallDutyChange && std::abs(d1) > kStallDutyError)
                status = ssDataError;
            else if (steps > kMaxSecantSteps)
                status = ssCountOut;
        }
        if (status == ssSolved) LearnDutyPerVolume();
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
    int StepHeight(double area)
    {
        TCoil& c = m_coil;
        const double step = HeightStep();
        c.SetFinHeight(area / c.fLength());
        c.SetDesignDuty(m_duty);
        // A height beyond the range starts from the first step that reaches the largest height.
        const double highest = std::ceil(c.MaxHeight / step) * step;
        double height = std::min(std::floor(area / c.fLength() / step + 1) * step, highest);
        HeightTrial(height);
        if (c.Qt >= m_duty) {
            while (kHeightBandAbove * m_duty < c.Qt && c.MinHeight + step < height) HeightTrial(height -= step);
            if (kHeightBandBelow * m_duty > c.Qt) HeightTrial(height += step);
        } else {
            while (c.Qt < m_duty && height < c.MaxHeight) HeightTrial(height += step);
        }
        if (c.Status == ssSolved) LearnDutyPerVolume();
        return c.Status;
    }

    // Rates each candidate; a later one replaces the best only when it comes strictly closer
    // to the duty, so the first of equal candidates is kept. Ends rated at the best.
    int SearchCandidates(const TCandidate& first, std::span<const double> rows, std::span<const double> fins)
    {
        m_coil.SetDesignDuty(m_duty);
        TCandidate best = first;
        double bestError = CandidateTrial(first);
        for (double r : rows)
            for (double f : fins) {
                const double error = CandidateTrial({r, f});
                if (error < bestError) {
                    best = {r, f};
                    bestError = error;
                }
            }
        CandidateTrial(best);
        return m_coil.Status;
    }

private:
    bool VolumeGiven() const { return m_givenVolume > 0; }

    void Rate()
    {
        if (VolumeGiven())
            m_coil.SetAirVolume(m_givenVolume);
        else
            m_coil.SetFaceVelocity(m_coil.DesignVf);
        m_coil.Solve();
    }

    double Error() const { return m_duty - m_coil.Qt; }

    // The trial area stopped moving: sized when the duty is met to within the stall
    // threshold, failed when it is missed by more (a length or height limit was reached).
    static int AreaSettled(double dutyError)
    {
        return std::abs(dutyError) > kStallDutyError ? ssDataError : ssSolved;
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
};

// Runs a sizing body for a duty; a duty below the smallest one (or not a number) and any
// failure raised during the trials give ssDataError.
template <typename Body>
int RunSizing(TCoil& coil, double airVolume, double duty, Body body)
{
    int status = ssDataError;
    if (duty >= kSmallestDuty) {
        try {
            TSizing sizing(coil, airVolume, duty);
            status = sizing.SettingsUsable() ? body(sizing) : ssDataError;
        } catch (...) {
            status = ssDataError;
        }
    }
    coil.Status = status;
    return status;
}

}  // namespace

int TCoil::SizeFaceArea(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [this, duty](TSizing& sizing) {
        const double area = sizing.StartVolume() / DesignVf;
        if (!Positive(area)) return int{ssDataError};
        SetFinHeight(sizing.SteppedHeight(area));
        SetDesignDuty(duty);
        return sizing.Secant(area, [&sizing](double a) { return sizing.FaceAreaTrial(a); });
    });
}

int TCoil::SizeLength(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [this, duty](TSizing& sizing) {
        const double area = sizing.StartVolume() / DesignVf;
        if (!Positive(area)) return int{ssDataError};
        SetDesignDuty(duty);
        return sizing.Secant(area, [&sizing](double a) { return sizing.LengthTrial(a); });
    });
}

int TCoil::SizeHeight(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [this](TSizing& sizing) {
        const double area = sizing.StartVolume() / DesignVf;
        if (!Positive(area)) return int{ssDataError};
        return sizing.StepHeight(area);
    });
}

int TCoil::SizeRowsAndFins(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [](TSizing& sizing) {
        return sizing.SearchCandidates({kFirstRows, kFirstFins}, kRowCandidates, kFinCandidates);
    });
}

int TCoil::SizeRows(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [this](TSizing& sizing) {
        const std::array<double, 1> fins{fpi()};
        return sizing.SearchCandidates({kFirstRows, fpi()}, kRowCandidates, fins);
    });
}

int TCoil::SizeFins(double airVolume, double duty)
{
    return RunSizing(*this, airVolume, duty, [this](TSizing& sizing) {
        const std::array<double, 1> rows{Rows()};
        return sizing.SearchCandidates({Rows(), kFirstFins}, rows, kFinOnlyCandidates);
    });
}

}  // namespace vantor

#include "calibration/coil_calibrator.h"

#include "document/rating_document.h"
#include "model/coil.h"
#include "text/format.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <cmath>
#include <exception>

namespace vantor {

namespace {

// Stands for an infinite sensible heat ratio when the coil has no total duty.
constexpr double kNoTotalDutyRatio = 1.7e308;

// A factor as its edit holds it: the value of its four-decimal text.
double AsShown(double value)
{
    return ParseDouble(FormatFloat(TCoilCalibrator::kFactorFormat, value)).value_or(value);
}

double StepOf(TCalibrationFactor factor)
{
    return factor == cfAirDP || factor == cfFluidDP ? TCoilCalibrator::kDropStep : TCoilCalibrator::kFilmStep;
}

}  // namespace

std::array<std::string, 5> TCalibrationResults::Texts() const
{
    return {FormatFloat("%0.3f", TotalDuty), FormatFloat("%0.3f", SensibleDuty),
            FormatFloat("%0.4g", SensibleHeatRatio), FormatFloat("%0.1f", AirPressureDrop),
            FormatFloat("%0.1f", FluidPressureDrop)};
}

void TCoilCalibrator::Activate(TCoil& coil)
{
    m_coil = &coil;
    m_factors.Duty = AsShown(coil.DutyFactor);
    m_factors.AirDP = AsShown(coil.AirDPFactor);
    m_factors.FluidDP = AsShown(coil.FluidDPFactor);
    m_factors.ho = AsShown(coil.hoFactor);
    m_factors.hi = AsShown(coil.hiFactor);
    Recalculate();
}

double& TCoilCalibrator::Slot(TCalibrationFactor factor) { return FactorOf(m_factors, factor); }

double TCoilCalibrator::Factor(TCalibrationFactor factor) const { return FactorOf(m_factors, factor); }

std::string TCoilCalibrator::FactorText(TCalibrationFactor factor) const
{
    return FormatFloat(kFactorFormat, Factor(factor));
}

void TCoilCalibrator::Take(TCalibrationFactor factor, double value)
{
    // A step that would leave the usable range keeps the factor as it is.
    const double shown = AsShown(value);
    if (std::isfinite(shown) && shown > 0) Slot(factor) = shown;
}

TResult TCoilCalibrator::SetFactorText(TCalibrationFactor factor, std::string_view text)
{
    const std::optional<double> value = ParseDouble(CleanNumberText(text));
    // A factor of zero or below would rate a coil that transfers no heat, or heat backwards.
    if (!value || !std::isfinite(*value) || AsShown(*value) <= 0)
        return TResult::Error(TErrorCode::Failed, std::string(CalibrationFactorCaption(factor)) + ": \"" + std::string(text) +
                                     "\" is not a positive number");
    Take(factor, *value);
    return TResult::Ok();
}

void TCoilCalibrator::StepUp(TCalibrationFactor factor)
{
    Take(factor, Factor(factor) * StepOf(factor));
    Recalculate();
}

void TCoilCalibrator::StepDown(TCalibrationFactor factor)
{
    Take(factor, Factor(factor) / StepOf(factor));
    Recalculate();
}

void TCoilCalibrator::Reset()
{
    m_factors = TCalibrationFactors{};
    Recalculate();
}

const TCalibrationResults& TCoilCalibrator::Recalculate()
{
    if (!m_coil) return m_results;
    TCoil& coil = *m_coil;
    coil.DutyFactor = m_factors.Duty;
    coil.hoFactor = m_factors.ho;
    coil.hiFactor = m_factors.hi;
    coil.AirDPFactor = m_factors.AirDP;
    coil.FluidDPFactor = m_factors.FluidDP;

    TCalibrationResults results;
    try {
        results.Status = coil.Solve();
    } catch (const std::exception&) {
        results.Status = TSolveStatus::DataError;
    }
    results.TotalDuty = coil.Qt;
    results.SensibleDuty = coil.Qs;
    if (coil.Qt != 0)
        results.SensibleHeatRatio = coil.Qs / coil.Qt;
    else
        results.SensibleHeatRatio = coil.Qs > 0 ? kNoTotalDutyRatio : coil.Qs < 0 ? -kNoTotalDutyRatio : 0.0;
    results.AirPressureDrop = coil.AirPressureDrop();
    results.FluidPressureDrop = coil.FluidPressureDrop();
    m_results = results;
    return m_results;
}

TResult TCoilCalibrator::WriteCalibration(const std::filesystem::path& file)
{
    const TResult written = WriteCalibrationFile(file, m_factors);
    Recalculate();
    return written;
}

std::string TCoilCalibrator::StatusText() const { return m_coil ? m_coil->GetModelText() : std::string(); }

void AcceptCalibration(TRatingDocument& document)
{
    const TCoil& coil = document.Coil();
    TCalibrationFactors factors;
    factors.Duty = coil.DutyFactor;
    factors.AirDP = coil.AirDPFactor;
    factors.FluidDP = coil.FluidDPFactor;
    factors.ho = coil.hoFactor;
    factors.hi = coil.hiFactor;
    document.Calibrate(factors);
}

}  // namespace vantor

#include "psychro/psychro.h"

#include "psychro/bracketed_root.h"
#include "psychro/saturation.h"
#include "psychro/standard_atmosphere.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace vantor {

namespace {

constexpr double kKelvin = 273.15;
constexpr double kMolarMassRatio = 0.621945;     // water vapour to dry air
constexpr double kDryAirGasConstant = 0.287042;  // kJ/(kg·K)
constexpr double kVapourVolumeFactor = 1.607858; // 1 / kMolarMassRatio
constexpr double kScaleHeight = 8284.24;         // m, isothermal atmosphere
constexpr double kTemperatureTolerance = 1e-9;   // K, every temperature iteration
// A wet bulb may lie above the dry bulb by the reading error of a psychrometer, 0.1 K, before
// the state counts as supersaturated; the 1e-9 K lets "20.1/20" through despite round-off.
constexpr double kWetBulbExcess = 0.1 + 1e-9;
constexpr double kMinTemperature = kSaturationMinTemperature;
constexpr double kMaxTemperature = kSaturationMaxTemperature;

thread_local int lastStatus = psyOk;

enum class TProp { None, Db, Wb, H, W, RH, Td, Pv, Ps, Ro };

struct TPair {
    TProp x = TProp::None;
    TProp y = TProp::None;
};

constexpr std::array<TPair, 33> MakePairTable()
{
    using P = TProp;
    std::array<TPair, 33> table{};
    table[pcDbWb] = {P::Db, P::Wb};
    table[pcDbH] = {P::Db, P::H};
    table[pcDbW] = {P::Db, P::W};
    table[pcDbRH] = {P::Db, P::RH};
    table[pcDbTd] = {P::Db, P::Td};
    table[pcDbPv] = {P::Db, P::Pv};
    table[pcDbRo] = {P::Db, P::Ro};
    table[pcWbH] = {P::Wb, P::H};
    table[pcWbW] = {P::Wb, P::W};
    table[pcWbRH] = {P::Wb, P::RH};
    table[pcWbTd] = {P::Wb, P::Td};
    table[pcWbPv] = {P::Wb, P::Pv};
    table[pcWbPs] = {P::Wb, P::Ps};
    table[pcWbRo] = {P::Wb, P::Ro};
    table[pcHW] = {P::H, P::W};
    table[pcHRH] = {P::H, P::RH};
    table[pcHTd] = {P::H, P::Td};
    table[pcHPv] = {P::H, P::Pv};
    table[pcHPs] = {P::H, P::Ps};
    table[pcWRH] = {P::W, P::RH};
    table[pcWPs] = {P::W, P::Ps};
    table[pcRHTd] = {P::RH, P::Td};
    table[pcRHPv] = {P::RH, P::Pv};
    table[pcRHPs] = {P::RH, P::Ps};
    table[pcTdPs] = {P::Td, P::Ps};
    table[pcPvPs] = {P::Pv, P::Ps};
    return table;
}

constexpr std::array<TPair, 33> kPairs = MakePairTable();

const TPair* FindPair(int code)
{
    if (code < 0 || code >= static_cast<int>(kPairs.size())) return nullptr;
    const TPair& pair = kPairs[static_cast<size_t>(code)];
    return pair.x == TProp::None ? nullptr : &pair;
}

bool InTemperatureRange(double t) { return t >= kMinTemperature && t <= kMaxTemperature; }

// Eq. 20/22: moisture content from vapour pressure, and back.
double HumidityRatio(double pv, double P) { return kMolarMassRatio * pv / (P - pv); }
double VapourPressure(double W, double P) { return P * W / (kMolarMassRatio + W); }

// Eq. 32, kJ/kg dry air.
double Enthalpy(double db, double W) { return 1.006 * db + W * (2501.0 + 1.86 * db); }

// Moisture content that gives enthalpy h at dry bulb db.
double MoistureFromEnthalpy(double h, double db) { return (h - 1.006 * db) / (2501.0 + 1.86 * db); }

// Eq. 28, m³/kg dry air; the density counts the vapour too.
double SpecificVolume(double P, double db, double W)
{
    return kDryAirGasConstant * (db + kKelvin) * (1.0 + kVapourVolumeFactor * W) / P;
}

double Density(double P, double db, double W) { return (1.0 + W) / SpecificVolume(P, db, W); }

// The psychrometer equation along one wet bulb, eq. 33 over a wet wick and eq. 35 over an iced
// one (wet bulb below 0 °C): W(db) = (A - 1.006·(db - wb)) / (B + 1.86·db).
struct TWetBulbLine {
    double wb = 0.0;
    double A = 0.0;
    double B = 0.0;

    double MoistureContent(double db) const { return (A - 1.006 * (db - wb)) / (B + 1.86 * db); }
    double DryBulb(double W) const { return (A + 1.006 * wb - W * B) / (1.006 + 1.86 * W); }
};

// False when the saturation pressure at the wet bulb reaches the barometer.
bool MakeWetBulbLine(double P, double wb, TWetBulbLine& line)
{
    const double ps = SatPressure(wb);
    if (!(ps < P)) return false;
    const double saturatedW = HumidityRatio(ps, P);
    line.wb = wb;
    if (wb >= 0.0) {
        line.A = (2501.0 - 2.326 * wb) * saturatedW;
        line.B = 2501.0 - 4.186 * wb;
    } else {
        line.A = (2830.0 - 0.24 * wb) * saturatedW;
        line.B = 2830.0 - 2.1 * wb;
    }
    return true;
}

// Dew point, or frost point below 0.01 °C. Air drier than saturation at -100 °C, the end of
// the saturation relations, is given that dew point.
int DewPoint(double pv, double& td)
{
    static const double driest = SatPressure(kMinTemperature);
    if (pv <= driest) {
        td = kMinTemperature;
        return psyOk;
    }
    return SatTemperature(pv, td) ? psyOk : psyOutOfRange;
}

// The wet bulb of (db, W) lies between the dry bulb and the dew point: the psychrometer's
// moisture content crosses W between them (from below at the dew point of unsaturated air).
int WetBulbOf(double P, double db, double W, double td, double& wb)
{
    const double low = std::min(db, td);
    const double high = std::max(db, td);
    if (high - low <= kTemperatureTolerance) {
        wb = db;
        return psyOk;
    }
    const auto excess = [P, db, W](double t) {
        TWetBulbLine line;
        // At and above the boiling point a wick would take up any amount of moisture.
        if (!MakeWetBulbLine(P, t, line)) return 1e6;
        return line.MoistureContent(db) - W;
    };
    return FindBracketedRoot(excess, low, high, kTemperatureTolerance, wb) ? psyOk : psyNoConvergence;
}

struct TInput {
    TProp kind = TProp::None;
    double value = 0.0;
};

// Checks an input and reduces it to one of Db, Wb, H, W, RH, Ro: a saturation pressure stands
// for its dry bulb, a dew point and a vapour pressure for their moisture content.
int Reduce(TInput& input, double P)
{
    const double v = input.value;
    if (!std::isfinite(v)) return psyBadValue;
    switch (input.kind) {
    case TProp::Db:
    case TProp::Wb:
        return InTemperatureRange(v) ? psyOk : psyOutOfRange;
    case TProp::H:
        return psyOk;
    case TProp::W:
    case TProp::RH:
        return v >= 0.0 ? psyOk : psyBadValue;
    case TProp::Ro:
        return v > 0.0 ? psyOk : psyBadValue;
    case TProp::Td: {
        if (!InTemperatureRange(v)) return psyOutOfRange;
        const double pv = SatPressure(v);
        if (!(pv < P)) return psyVapourPressure;
        input = {TProp::W, HumidityRatio(pv, P)};
        return psyOk;
    }
    case TProp::Pv:
        if (v < 0.0) return psyBadValue;
        if (!(v < P)) return psyVapourPressure;
        input = {TProp::W, HumidityRatio(v, P)};
        return psyOk;
    case TProp::Ps: {
        if (!(v > 0.0)) return psyBadValue;
        double db = 0.0;
        if (!SatTemperature(v, db)) return psyOutOfRange;
        input = {TProp::Db, db};
        return psyOk;
    }
    case TProp::None:
        break;
    }
    return psyUnknownPairCode;
}

// The dry bulb in [low, high] at which metric(db, moisture(db)) equals target.
template <class MoistureOf, class Metric>
int SolveDryBulb(const MoistureOf& moisture, const Metric& metric, double target, double low, double high,
                 double& db, double& W)
{
    if (!(low < high)) return psyNoState;
    const auto residual = [&](double t) { return metric(t, moisture(t)) - target; };
    if (!FindBracketedRoot(residual, low, high, kTemperatureTolerance, db)) return psyNoState;
    W = moisture(db);
    return psyOk;
}

// The dry bulb and moisture content fixed by two reduced inputs, first.kind < second.kind.
int SolveDryBulbAndMoisture(double P, const TInput& first, const TInput& second, double& db, double& W)
{
    const double x = first.value;
    const double y = second.value;
    const auto is = [&](TProp a, TProp b) { return first.kind == a && second.kind == b; };
    const auto relativeHumidity = [P](double t, double w) { return VapourPressure(w, P) / SatPressure(t); };
    const auto density = [P](double t, double w) { return Density(P, t, w); };

    if (is(TProp::Db, TProp::W)) {
        db = x;
        W = y;
        return psyOk;
    }
    if (is(TProp::Db, TProp::H)) {
        db = x;
        W = MoistureFromEnthalpy(y, x);
        return psyOk;
    }
    if (is(TProp::Db, TProp::RH)) {
        const double pv = y * SatPressure(x);
        if (!(pv < P)) return psyVapourPressure;
        db = x;
        W = HumidityRatio(pv, P);
        return psyOk;
    }
    if (is(TProp::Db, TProp::Ro)) {
        // (1 + W) / v = ro solved for W; no state is denser than dry air at the same dry bulb.
        const double a = y * kDryAirGasConstant * (x + kKelvin);
        const double denominator = kVapourVolumeFactor * a - P;
        if (!(denominator > 0.0)) return psyNoState;
        db = x;
        W = (P - a) / denominator;
        return psyOk;
    }
    if (is(TProp::H, TProp::W)) {
        db = (x - 2501.0 * y) / (1.006 + 1.86 * y);
        W = y;
        return psyOk;
    }
    if (is(TProp::W, TProp::RH)) {
        if (!(y > 0.0)) return psyNoState;  // dry air could have any dry bulb
        W = x;
        return SatTemperature(VapourPressure(x, P) / y, db) ? psyOk : psyOutOfRange;
    }
    if (is(TProp::H, TProp::RH)) {
        // At constant enthalpy the moisture content falls as the dry bulb rises, to zero at
        // h / 1.006, and the relative humidity with it.
        const auto alongEnthalpy = [x](double t) { return MoistureFromEnthalpy(x, t); };
        const double end = std::min(kMaxTemperature, x / 1.006);
        return SolveDryBulb(alongEnthalpy, relativeHumidity, y, kMinTemperature, end, db, W);
    }

    const bool wetBulbFirst = first.kind == TProp::Wb;
    const bool wetBulbSecond = second.kind == TProp::Wb;
    if (!wetBulbFirst && !wetBulbSecond) return psyUnknownPairCode;
    TWetBulbLine line;
    if (!MakeWetBulbLine(P, wetBulbFirst ? x : y, line)) return psyVapourPressure;
    if (is(TProp::Db, TProp::Wb)) {
        db = x;
        W = line.MoistureContent(x);
        return psyOk;
    }
    if (is(TProp::Wb, TProp::W)) {
        db = line.DryBulb(y);
        W = y;
        return psyOk;
    }
    // Along a wet bulb the moisture content falls as the dry bulb rises, to zero at the line's
    // far end; enthalpy, relative humidity and density change monotonically with it.
    const auto alongWetBulb = [&line](double t) { return line.MoistureContent(t); };
    const double end = std::min(kMaxTemperature, line.DryBulb(0.0));
    if (is(TProp::Wb, TProp::H)) return SolveDryBulb(alongWetBulb, Enthalpy, y, kMinTemperature, end, db, W);
    if (is(TProp::Wb, TProp::RH)) return SolveDryBulb(alongWetBulb, relativeHumidity, y, kMinTemperature, end, db, W);
    if (is(TProp::Wb, TProp::Ro)) return SolveDryBulb(alongWetBulb, density, y, kMinTemperature, end, db, W);
    return psyUnknownPairCode;
}

// Every field of the state from P, db and W; the wet bulb is computed unless given.
int Complete(double P, double db, double W, const double* knownWetBulb, TMoistAirState& s)
{
    if (!InTemperatureRange(db)) return psyOutOfRange;
    if (!std::isfinite(W) || W < -1e-12) return psyNoState;
    W = std::max(W, 0.0);  // round-off of a state at the dry-air end

    const double pv = VapourPressure(W, P);
    double td = 0.0;
    if (const int status = DewPoint(pv, td)) return status;
    double wb = 0.0;
    if (knownWetBulb) {
        wb = *knownWetBulb;
    } else if (const int status = WetBulbOf(P, db, W, td, wb)) {
        return status;
    }

    const double T = db + kKelvin;
    const double rootT = std::sqrt(T);
    s.P = P;
    s.db = db;
    s.wb = wb;
    s.h = Enthalpy(db, W);
    s.W = W;
    s.ps = SatPressure(db);
    s.pv = pv;
    s.RH = pv / s.ps;
    s.td = td;
    s.ro = Density(P, db, W);
    s.cp = 1.006 + 1.86 * W;
    // Sutherland's law for dry air: viscosity in Pa·s, conductivity in W/(m·K) stored in kW.
    s.mu = 1.458e-6 * T * rootT / (T + 110.4);
    s.k = 0.0241e-3 * (T * rootT) / (273.15 * std::sqrt(273.15)) * 467.15 / (T + 194.0);
    return wb > db + kWetBulbExcess ? psySupersaturated : psyOk;
}

double TMoistAirState::*FieldOf(TProp kind)
{
    switch (kind) {
    case TProp::Db: return &TMoistAirState::db;
    case TProp::Wb: return &TMoistAirState::wb;
    case TProp::H: return &TMoistAirState::h;
    case TProp::W: return &TMoistAirState::W;
    case TProp::RH: return &TMoistAirState::RH;
    case TProp::Td: return &TMoistAirState::td;
    case TProp::Pv: return &TMoistAirState::pv;
    case TProp::Ps: return &TMoistAirState::ps;
    case TProp::Ro: return &TMoistAirState::ro;
    case TProp::None: break;
    }
    return nullptr;
}

int Compute(TMoistAirState& s, double P, double X, double Y, int code)
{
    const TPair* pair = FindPair(code);
    if (!pair) return psyUnknownPairCode;
    if (!(std::isfinite(P) && P > 0.0)) return psyBadPressure;

    const TInput givenX{pair->x, X};
    const TInput givenY{pair->y, Y};
    TInput first = givenX;
    TInput second = givenY;
    if (const int status = Reduce(first, P)) return status;
    if (const int status = Reduce(second, P)) return status;
    if (second.kind < first.kind) std::swap(first, second);

    double db = 0.0;
    double W = 0.0;
    if (const int status = SolveDryBulbAndMoisture(P, first, second, db, W)) return status;
    const double* knownWetBulb =
        first.kind == TProp::Wb ? &first.value : second.kind == TProp::Wb ? &second.value : nullptr;
    const int status = Complete(P, db, W, knownWetBulb, s);
    if (PsyStateFilled(status)) {
        // The given properties stand exactly as given, free of the round trip's round-off.
        s.*FieldOf(givenX.kind) = givenX.value;
        s.*FieldOf(givenY.kind) = givenY.value;
    }
    return status;
}

int Remember(int status)
{
    lastStatus = status;
    return status;
}

}  // namespace

std::string_view PsyStatusText(int status)
{
    switch (status) {
    case psyOk: return "ok";
    case psyBadValue: return "an input is not a number or outside its physical range";
    case psyBadPressure: return "the barometric pressure is not a positive number";
    case psyOutOfRange: return "a temperature lies outside -100 to 200 °C";
    case psyVapourPressure: return "the vapour pressure would reach the barometric pressure";
    case psyNoState: return "no moist-air state has these two properties";
    case psySupersaturated: return "supersaturated: the wet bulb lies more than 0.1 K above the dry bulb";
    case psyNoConvergence: return "the iteration did not converge";
    case psyUnknownPairCode: return "unknown pair code";
    default: return "unknown status";
    }
}

bool IsPairCode(int code) { return FindPair(code) != nullptr; }

int SetState(TMoistAirState& state, double P, double X, double Y, int code)
{
    TMoistAirState result = state;
    const int status = Compute(result, P, X, Y, code);
    if (PsyStateFilled(status)) state = result;
    state.Status = status;
    return Remember(status);
}

int AirState(TMoistAirState& result, const TMoistAirState& state, int code)
{
    const TPair* pair = FindPair(code);
    if (!pair) {
        result.Status = psyUnknownPairCode;
        return Remember(psyUnknownPairCode);
    }
    const double P = state.P;
    const double X = state.*FieldOf(pair->x);
    const double Y = state.*FieldOf(pair->y);
    return SetState(result, P, X, Y, code);
}

double WetBulb(double P, double X, double Y, int code)
{
    TMoistAirState state;
    const int status = SetState(state, P, X, Y, code);
    return PsyStateFilled(status) ? state.wb : std::numeric_limits<double>::quiet_NaN();
}

int PsyStatus() { return lastStatus; }

double Altitude(double P)
{
    if (!(std::isfinite(P) && P > 0.0)) {
        Remember(psyBadPressure);
        return std::numeric_limits<double>::quiet_NaN();
    }
    Remember(psyOk);
    return kScaleHeight * std::log(kStandardAtmosphere / P);
}

double AtmPressure(double altitude)
{
    const double P = kStandardAtmosphere * std::exp(-altitude / kScaleHeight);
    if (!(std::isfinite(P) && P > 0.0)) {
        Remember(std::isfinite(altitude) ? psyOutOfRange : psyBadValue);
        return std::numeric_limits<double>::quiet_NaN();
    }
    Remember(psyOk);
    return P;
}

}  // namespace vantor

#include "geometry/model_rec.h"

namespace vantor {

namespace {

template <typename T>
void KeepInRange(T& code, int low, int high, T defaultCode)
{
    if (static_cast<int>(code) < low || static_cast<int>(code) > high) code = defaultCode;
}

}  // namespace

TModelValues ModelValuesOf(const TModelRec& rec)
{
    return {rec.fHeight, rec.fLength, rec.Rows, rec.fpi, rec.Circ};
}

void SetModelValues(TModelRec& rec, const TModelValues& values)
{
    rec.fHeight = values.fHeight;
    rec.fLength = values.fLength;
    rec.Rows = values.Rows;
    rec.fpi = values.fpi;
    rec.Circ = values.Circ;
}

void RepairCodes(TModelRec& rec)
{
    const TModelRec defaults;
    const int lastMaterial = static_cast<int>(Materials.size()) - 1;
    KeepInRange(rec.Code, 0, kCoilTypeCount - 1, defaults.Code);
    KeepInRange(rec.cb, kBasisTubesHigh, kBasisRowsDeep, defaults.cb);
    KeepInRange(rec.Serp, 0, kLastCircuitFraction, defaults.Serp);
    KeepInRange(rec.tp, kStaggered, kInLine, defaults.tp);
    KeepInRange(rec.Mf, 0, lastMaterial, defaults.Mf);
    KeepInRange(rec.Mt, 0, lastMaterial, defaults.Mt);
    KeepInRange(rec.Mc, 0, lastMaterial, defaults.Mc);
}

int TubeSizeNumber(int tubeCode)
{
    return tubeCode < 100 ? tubeCode : tubeCode - 100;
}

std::string_view CircuitBasisLabel(int basis)
{
    return basis == kBasisRowsDeep ? "Rows deep" : "Tubes high";
}

std::string_view ConnectionEndLabel(bool opposite)
{
    return opposite ? "Opposite" : "Same";
}

std::string_view TubePatternLabel(int pattern)
{
    return pattern == kInLine ? "In-line" : "Staggered";
}

}  // namespace vantor

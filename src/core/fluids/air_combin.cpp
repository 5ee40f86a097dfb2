#include "fluids/air_combin.h"

#include "psychro/moist_air_state.h"

#include <array>

namespace vantor {

namespace {

struct TLetterPair {
    char a;
    char b;
    int code;
};

// t dry bulb, b wet bulb, h enthalpy, w moisture content, f relative humidity, d dew point,
// v vapour pressure, s saturation pressure, r density.
constexpr std::array<TLetterPair, 26> kPairs = {{
    {'t', 'b', pcDbWb}, {'t', 'h', pcDbH},  {'t', 'w', pcDbW},  {'t', 'f', pcDbRH}, {'t', 'd', pcDbTd},
    {'t', 'v', pcDbPv}, {'t', 'r', pcDbRo}, {'b', 'h', pcWbH},  {'b', 'w', pcWbW},  {'b', 'f', pcWbRH},
    {'b', 'd', pcWbTd}, {'b', 'v', pcWbPv}, {'b', 's', pcWbPs}, {'b', 'r', pcWbRo}, {'h', 'w', pcHW},
    {'h', 'f', pcHRH},  {'h', 'd', pcHTd},  {'h', 'v', pcHPv},  {'h', 's', pcHPs},  {'w', 'f', pcWRH},
    {'w', 's', pcWPs},  {'f', 'd', pcRHTd}, {'f', 'v', pcRHPv}, {'f', 's', pcRHPs}, {'d', 's', pcTdPs},
    {'v', 's', pcPvPs},
}};

}  // namespace

bool TAirCombin::Evaluate()
{
    PairCode = 0;
    if (Chosen.size() != 2) return false;
    for (const TLetterPair& pair : kPairs) {
        if (Contains(pair.a, pair.b)) {
            PairCode = static_cast<unsigned char>(pair.code);
            return true;
        }
    }
    return false;
}

}  // namespace vantor

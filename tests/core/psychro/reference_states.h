#pragma once

// The moist-air reference states of tests/data/reference/psychrometrics.csv, computed outside
// this project from the ASHRAE Handbook Fundamentals (2017) relations.

#include "text/number_text.h"
#include "text/text_routines.h"

#include <fstream>
#include <string>
#include <vector>

namespace vantor::test {

struct TReferenceState {
    double P, db, RH, wb, W, h, td, pv, ps, v, ro;
};

inline std::vector<TReferenceState> ReadReferenceStates()
{
    std::vector<TReferenceState> states;
    std::ifstream file(std::string(VANTOR_TEST_DATA_DIR) + "/reference/psychrometrics.csv");
    std::string line;
    std::getline(file, line);  // header
    while (std::getline(file, line)) {
        const std::vector<std::string> cells = SplitToArray(Trim(line), ',');
        if (cells.size() != 11) continue;
        double values[11];
        for (size_t i = 0; i < 11; ++i) values[i] = StrToFloat(cells[i]);
        states.push_back({values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7],
                          values[8], values[9], values[10]});
    }
    return states;
}

inline std::string Describe(const TReferenceState& s)
{
    return "P=" + FormatShortest(s.P) + " db=" + FormatShortest(s.db) + " RH=" + FormatShortest(s.RH);
}

}  // namespace vantor::test

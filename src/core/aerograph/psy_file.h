#pragma once

// Reading the psychrometric chart file (".psy") that "Plot process on Aerograph" writes:
//
//   'Aerograph 1.0 data file'
//   <file properties: name, number, comment count, comments, author, company, date>
//   98.600                                    barometer, kPa
//   5.00, 35.00, 0.00100, 0.02000             starting ranges: dry bulb °C, moisture kg/kg
//   'Node1', 'On', 24.000, 17.000, ''         nodes: name, caption, dry bulb, wet bulb, note
//   'Process1', 'Coil', 'Node1', 'Node2', 1.2000, ''
//                                             processes: name, caption, from, to, kg/s, note
//
// Any number of nodes and processes may follow the ranges, in any order. Texts are in single
// quotes and may hold quotes of their own; lines end with CR LF or LF.

#include "reports/file_properties.h"
#include "psychro/standard_atmosphere.h"
#include "text/result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

struct TPsyNode {
    std::string Name;
    std::string Caption;
    double DryBulb = 0;  // °C
    double WetBulb = 0;  // °C
    std::string Note;
};

struct TPsyProcessLine {
    std::string Name;
    std::string Caption;
    std::string FromNode;  // node names
    std::string ToNode;
    double AirMassFlow = 0;  // kg/s
    std::string Note;
};

// Dry bulb (°C) and moisture content (kg/kg dry air) spans of a chart.
struct TPsyRanges {
    double DryBulbMin = 5;
    double DryBulbMax = 35;
    double MoistureMin = 0.001;
    double MoistureMax = 0.02;

    bool operator==(const TPsyRanges&) const = default;
};

struct TPsyFile {
    TFileProperties Properties;
    double Barometer = kStandardAtmosphere;  // kPa
    TPsyRanges Ranges;
    std::vector<TPsyNode> Nodes;
    std::vector<TPsyProcessLine> Processes;

    // The node of that name; nullptr when there is none.
    const TPsyNode* FindNode(std::string_view name) const;
};

inline constexpr std::string_view kPsyFileHeader = "'Aerograph 1.0 data file'";
// Nothing a chart file holds comes near this size.
inline constexpr std::uintmax_t kMaxPsyFileBytes = 1024u * 1024u;

// The file's contents, or a message naming the line that could not be read: a wrong header,
// a barometer outside 10 to 200 kPa, ranges that are not increasing, a node or process line
// that is neither, a process joining a node the file does not hold.
TResult ParsePsyText(std::string_view text, TPsyFile& file);
TResult ReadPsyFile(const std::filesystem::path& path, TPsyFile& file);

}  // namespace vantor

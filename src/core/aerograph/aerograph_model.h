#pragma once

// What the psychrometric chart program shows: the chart files it has received, each with its
// nodes and processes, and the chart they are drawn on.
//
// Each file keeps its own nodes, whatever their names: two ratings both calling their nodes
// "On" and "Off" give four nodes. A file received again (the same path, as "NoName.psy" on
// every plot of an unsaved rating) replaces what it brought before; another file adds its own.
// Each node is placed by its dry bulb and the moisture content its wet bulb gives at its own
// file's barometer; the chart's lines are drawn at the barometer of the file received last.
// The chart's ranges are that file's starting ranges, widened to take in every node.

#include "aerograph/psy_chart_lines.h"
#include "aerograph/psy_file.h"
#include "text/result.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace vantor {

struct TPlottedNode {
    TPsyNode Node;
    TPsyPoint Point;  // at its file's barometer
};

struct TPlottedProcess {
    TPsyProcessLine Process;
    std::size_t From = 0;  // indices into the file's nodes
    std::size_t To = 0;
};

// One received file as plotted.
struct TPsySource {
    std::filesystem::path Path;  // absolute, as received
    TPsyFile File;
    std::vector<TPlottedNode> Nodes;
    std::vector<TPlottedProcess> Processes;
};

class TAerographModel {
public:
    // Reads the file and takes it in; a file that cannot be read changes nothing.
    TResult Receive(const std::filesystem::path& path);
    // Takes in a file already read, as received from path.
    void Receive(const std::filesystem::path& path, TPsyFile file);

    // In the order first received; a file received again keeps its place.
    const std::vector<TPsySource>& Sources() const { return m_sources; }
    // The file received last; nullptr before the first.
    const TPsySource* Current() const;

    // The barometer of the file received last (the standard atmosphere before any).
    double Barometer() const;
    TPsyRanges Ranges() const;
    // The chart's lines at Barometer() over Ranges().
    std::vector<TPsyChartLine> Lines() const;

private:
    std::vector<TPsySource> m_sources;
    std::size_t m_current = 0;
};

// The file's nodes placed at its barometer and its processes joined to them.
TPsySource PlotPsyFile(const std::filesystem::path& path, TPsyFile file);

}  // namespace vantor

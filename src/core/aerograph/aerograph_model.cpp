#include "aerograph/aerograph_model.h"

#include "psychro/psychro.h"
#include "psychro/standard_atmosphere.h"

#include <system_error>

namespace vantor {

namespace {


// The same file reached by another spelling ("./a.psy", a link) is still the same file.
std::filesystem::path SamePathKey(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::path key = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
    return error ? std::filesystem::absolute(path, error).lexically_normal() : key;
}

std::size_t IndexOf(const TPsyFile& file, const std::string& name)
{
    for (std::size_t i = 0; i < file.Nodes.size(); ++i)
        if (file.Nodes[i].Name == name) return i;
    return file.Nodes.size();
}

}  // namespace

TPsySource PlotPsyFile(const std::filesystem::path& path, TPsyFile file)
{
    TPsySource source;
    source.Path = SamePathKey(path);
    for (const TPsyNode& node : file.Nodes) {
        TMoistAirState state;
        SetState(state, file.Barometer, node.DryBulb, node.WetBulb, pcDbWb);
        source.Nodes.push_back({node, {node.DryBulb, state.W}});
    }
    for (const TPsyProcessLine& process : file.Processes) {
        const std::size_t from = IndexOf(file, process.FromNode);
        const std::size_t to = IndexOf(file, process.ToNode);
        // A file read by ReadPsyFile joins only nodes it holds.
        if (from < file.Nodes.size() && to < file.Nodes.size()) source.Processes.push_back({process, from, to});
    }
    source.File = std::move(file);
    return source;
}

TResult TAerographModel::Receive(const std::filesystem::path& path)
{
    TPsyFile file;
    if (TResult read = ReadPsyFile(path, file); !read) return read;
    Receive(path, std::move(file));
    return TResult::Ok();
}

void TAerographModel::Receive(const std::filesystem::path& path, TPsyFile file)
{
    TPsySource source = PlotPsyFile(path, std::move(file));
    for (std::size_t i = 0; i < m_sources.size(); ++i) {
        if (m_sources[i].Path == source.Path) {
            m_sources[i] = std::move(source);
            m_current = i;
            return;
        }
    }
    m_sources.push_back(std::move(source));
    m_current = m_sources.size() - 1;
}

const TPsySource* TAerographModel::Current() const
{
    return m_sources.empty() ? nullptr : &m_sources[m_current];
}

double TAerographModel::Barometer() const
{
    const TPsySource* current = Current();
    return current ? current->File.Barometer : kStandardAtmosphere;
}

TPsyRanges TAerographModel::Ranges() const
{
    const TPsySource* current = Current();
    std::vector<TPsyPoint> points;
    for (const TPsySource& source : m_sources)
        for (const TPlottedNode& node : source.Nodes) points.push_back(node.Point);
    return WidenedRanges(current ? current->File.Ranges : TPsyRanges{}, points);
}

std::vector<TPsyChartLine> TAerographModel::Lines() const { return PsyChartLines(Barometer(), Ranges()); }

}  // namespace vantor

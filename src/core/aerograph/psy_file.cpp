#include "aerograph/psy_file.h"

#include "psychro/psychro.h"
#include "text/file_io.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <cmath>
#include <optional>

namespace vantor {

namespace {

constexpr double kMinBarometer = 10.0;   // kPa: far above any plant, still moist air
constexpr double kMaxBarometer = 200.0;  // kPa

struct TField {
    bool Quoted = false;
    std::string Text;
};

// The comma-separated fields of a node or process line. A quoted text ends at the quote that
// is followed by a comma or the end of the line, so a caption may hold quotes of its own.
std::optional<std::vector<TField>> SplitFields(std::string_view line)
{
    std::vector<TField> fields;
    size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    };
    for (;;) {
        skipBlanks();
        TField field;
        if (pos < line.size() && line[pos] == '\'') {
            size_t close = std::string_view::npos;
            for (size_t j = pos + 1; j < line.size(); ++j) {
                if (line[j] != '\'') continue;
                size_t after = j + 1;
                while (after < line.size() && (line[after] == ' ' || line[after] == '\t')) ++after;
                if (after == line.size() || line[after] == ',') {
                    close = j;
                    break;
                }
            }
            if (close == std::string_view::npos) return std::nullopt;
            field = {true, std::string(line.substr(pos + 1, close - pos - 1))};
            pos = close + 1;
            skipBlanks();
        } else {
            const size_t comma = line.find(',', pos);
            const size_t end = comma == std::string_view::npos ? line.size() : comma;
            field = {false, Trim(line.substr(pos, end - pos))};
            pos = end;
        }
        fields.push_back(std::move(field));
        if (pos >= line.size()) return fields;
        if (line[pos] != ',') return std::nullopt;
        ++pos;
    }
}

std::optional<std::string> Unquoted(std::string_view line)
{
    const std::string text = Trim(line);
    if (text.size() < 2 || text.front() != '\'' || text.back() != '\'') return std::nullopt;
    return text.substr(1, text.size() - 2);
}

std::optional<double> Number(const TField& field)
{
    if (field.Quoted) return std::nullopt;
    const std::optional<double> value = ParseDouble(field.Text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

// The lines of the text, line ends removed.
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Walks the lines, naming the one that fails.
class TPsyParser {
public:
    explicit TPsyParser(std::string_view text) : m_lines(SplitLines(text)) {}

    TResult Parse(TPsyFile& file)
    {
        if (m_lines.empty() || Trim(m_lines[0]) != kPsyFileHeader)
            return TResult::Error(TErrorCode::Failed, "Not an Aerograph data file: the first line is not " + std::string(kPsyFileHeader));
        m_next = 1;
        if (TResult read = ReadProperties(file.Properties); !read) return read;
        if (TResult read = ReadBarometer(file.Barometer); !read) return read;
        if (TResult read = ReadRanges(file.Ranges); !read) return read;
        for (; m_next < m_lines.size(); ++m_next) {
            if (Trim(m_lines[m_next]).empty()) continue;
            if (TResult read = ReadItem(file); !read) return read;
        }
        for (const TPsyProcessLine& process : file.Processes)
            for (const std::string& node : {process.FromNode, process.ToNode})
                if (!file.FindNode(node))
                    return TResult::Error(TErrorCode::Failed, "Process '" + process.Name + "' joins the node '" + node +
                                                 "', which the file does not hold");
        return TResult::Ok();
    }

private:
    TResult Fail(std::string_view what) const
    {
        return TResult::Error(TErrorCode::Failed, "Line " + std::to_string(m_next + 1) + ": " + std::string(what));
    }

    std::optional<std::string> TakeLine()
    {
        if (m_next >= m_lines.size()) return std::nullopt;
        return m_lines[m_next++];
    }

    TResult ReadText(std::string& text, std::string_view what)
    {
        const std::optional<std::string> line = TakeLine();
        if (!line) return Fail("the file ends before the " + std::string(what));
        const std::optional<std::string> unquoted = Unquoted(*line);
        if (!unquoted) {
            --m_next;
            return Fail("the " + std::string(what) + " is not a quoted text");
        }
        text = *unquoted;
        return TResult::Ok();
    }

    TResult ReadProperties(TFileProperties& properties)
    {
        if (TResult read = ReadText(properties.ProjectName, "project name"); !read) return read;
        if (TResult read = ReadText(properties.ProjectNumber, "project number"); !read) return read;
        const std::optional<std::string> countLine = TakeLine();
        const std::optional<long long> count = countLine ? ParseInteger(*countLine) : std::nullopt;
        // Never trust a count: each comment needs a line of its own before the four that follow.
        if (!count || *count < 0 || static_cast<unsigned long long>(*count) > m_lines.size() - m_next) {
            if (countLine) --m_next;
            return Fail("the number of comment lines cannot be read");
        }
        std::string comments;
        for (long long i = 0; i < *count; ++i) {
            std::string comment;
            if (TResult read = ReadText(comment, "comment line"); !read) return read;
            comments += (i > 0 ? "\r\n" : "") + comment;
        }
        properties.Description = comments;
        if (TResult read = ReadText(properties.Author, "user name"); !read) return read;
        if (TResult read = ReadText(properties.Company, "organisation"); !read) return read;
        std::string date;
        if (TResult read = ReadText(date, "project date"); !read) return read;
        properties.SetDateText(date);
        return TResult::Ok();
    }

    TResult ReadBarometer(double& barometer)
    {
        const std::optional<std::string> line = TakeLine();
        const std::optional<double> value = line ? ParseDouble(*line) : std::nullopt;
        if (!value || !(*value >= kMinBarometer && *value <= kMaxBarometer)) {
            if (line) --m_next;
            return Fail("the barometer must be a pressure from 10 to 200 kPa");
        }
        barometer = *value;
        return TResult::Ok();
    }

    TResult ReadRanges(TPsyRanges& ranges)
    {
        const std::optional<std::string> line = TakeLine();
        const std::optional<std::vector<TField>> fields = line ? SplitFields(*line) : std::nullopt;
        if (line) --m_next;
        if (!fields || fields->size() != 4) return Fail("four chart ranges are wanted");
        double values[4];
        for (size_t i = 0; i < 4; ++i) {
            const std::optional<double> value = Number((*fields)[i]);
            if (!value) return Fail("the chart ranges must be numbers");
            values[i] = *value;
        }
        if (!(values[0] < values[1]) || !(values[2] < values[3]))
            return Fail("each chart range must run from a lower to a higher value");
        ranges = {values[0], values[1], values[2], values[3]};
        ++m_next;
        return TResult::Ok();
    }

    TResult ReadItem(TPsyFile& file)
    {
        const std::optional<std::vector<TField>> fields = SplitFields(m_lines[m_next]);
        if (fields && fields->size() == 5) return ReadNode(*fields, file);
        if (fields && fields->size() == 6) return ReadProcess(*fields, file);
        return Fail("neither a node nor a process");
    }

    TResult ReadNode(const std::vector<TField>& fields, TPsyFile& file)
    {
        const std::optional<double> dryBulb = Number(fields[2]);
        const std::optional<double> wetBulb = Number(fields[3]);
        if (!fields[0].Quoted || !dryBulb || !wetBulb) return Fail("a node needs a name, a dry bulb and a wet bulb");
        if (file.FindNode(fields[0].Text)) return Fail("the node '" + fields[0].Text + "' appears twice");
        TMoistAirState state;
        if (SetState(state, file.Barometer, *dryBulb, *wetBulb, pcDbWb) != psyOk)
            return Fail("no moist air has the dry bulb and wet bulb of the node '" + fields[0].Text + "' (" +
                        std::string(PsyStatusText(PsyStatus())) + ")");
        file.Nodes.push_back({fields[0].Text, fields[1].Text, *dryBulb, *wetBulb, fields[4].Text});
        return TResult::Ok();
    }

    TResult ReadProcess(const std::vector<TField>& fields, TPsyFile& file)
    {
        const std::optional<double> massFlow = Number(fields[4]);
        if (!fields[0].Quoted || !fields[2].Quoted || !fields[3].Quoted || !massFlow)
            return Fail("a process needs a name, two node names and an air mass flow");
        file.Processes.push_back({fields[0].Text, fields[1].Text, fields[2].Text, fields[3].Text, *massFlow,
                                  fields[5].Text});
        return TResult::Ok();
    }

    std::vector<std::string> m_lines;
    size_t m_next = 0;
};

}  // namespace

const TPsyNode* TPsyFile::FindNode(std::string_view name) const
{
    for (const TPsyNode& node : Nodes)
        if (node.Name == name) return &node;
    return nullptr;
}

TResult ParsePsyText(std::string_view text, TPsyFile& file)
{
    TPsyFile read;
    if (TResult parsed = TPsyParser(text).Parse(read); !parsed) return parsed;
    file = std::move(read);
    return TResult::Ok();
}

TResult ReadPsyFile(const std::filesystem::path& path, TPsyFile& file)
{
    const std::optional<std::string> text = ReadFileText(path, kMaxPsyFileBytes);
    if (!text) return TResult::Error(TErrorCode::Failed, path.string() + ": " + FileReadProblem(path, kMaxPsyFileBytes));
    TResult parsed = ParsePsyText(*text, file);
    if (!parsed) parsed.Message = path.string() + ": " + parsed.Message;
    return parsed;
}

}  // namespace vantor

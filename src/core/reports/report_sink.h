#pragma once

// Where a report goes, line by line. The coil reports, the diagnostics and the manufacturing
// report write through this interface; the window's sink is a rich-text view, the command
// line's is plain text, the print path's is HTML and the tests' is a string.

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TReportSink {
public:
    virtual ~TReportSink() = default;
    // Appends one line, bold or regular; an empty text is an empty line.
    virtual void AppendLine(std::string_view text, bool bold) = 0;
};

// Keeps the lines in memory: the tests read them back, the window copies them.
class TStringSink : public TReportSink {
public:
    struct TLine {
        std::string Text;
        bool Bold = false;
    };

    void AppendLine(std::string_view text, bool bold) override { m_lines.push_back({std::string(text), bold}); }

    const std::vector<TLine>& Lines() const { return m_lines; }
    // The lines joined with line feeds, each line ended by one.
    std::string Text() const
    {
        std::string text;
        for (const auto& line : m_lines) text += line.Text + "\n";
        return text;
    }
    void Clear() { m_lines.clear(); }

private:
    std::vector<TLine> m_lines;
};

}  // namespace vantor

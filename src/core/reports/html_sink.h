#pragma once

// Writes a report as HTML for the report view and the print path.
//
// The lines sit in one <pre> block, so tabs and empty lines survive as they are written: the
// tabbed columns of a report ("Airflow<TAB>0.987<TAB>m³/s") line up on the tab stops of the
// view that shows them (QTextDocument's default text option; a browser's tab-size, set here to
// 12em). The text is shown in the view's sans-serif font at 8 points and in its text colour;
// a bold line is wrapped in <b>. Text is escaped, so a maker's name or a fluid caption can
// never turn into markup.
//
//   <pre style="...">
//   (one line per AppendLine, each ended by a line feed)
//   <b>Hot Water Coil</b>
//   </pre>
//
// The line feed right after <pre> is the one HTML drops, so a report that starts with an
// empty line keeps it.

#include "reports/report_sink.h"

#include <string>
#include <string_view>

namespace vantor {

class THtmlSink : public TReportSink {
public:
    void AppendLine(std::string_view text, bool bold) override;

    // The <pre> block with the lines so far.
    std::string Fragment() const;
    // A whole UTF-8 document holding the block.
    std::string Html() const;
    void Clear() { m_lines.clear(); }

private:
    std::string m_lines;
};

// Text with &, <, > and the quotes written as character references.
std::string EscapeHtml(std::string_view text);

}  // namespace vantor

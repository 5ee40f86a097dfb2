#pragma once

// Writes a report as plain text, one line each, ended by a line feed; tabs are kept and bold
// is dropped. The command line's sink: its output goes to standard output or a file.

#include "reports/report_sink.h"

#include <iosfwd>

namespace vantor {

class TPlainTextSink : public TReportSink {
public:
    // The stream must outlive the sink.
    explicit TPlainTextSink(std::ostream& out) : m_out(out) {}

    void AppendLine(std::string_view text, bool bold) override;

private:
    std::ostream& m_out;
};

}  // namespace vantor

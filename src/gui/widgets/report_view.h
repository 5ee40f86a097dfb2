#pragma once

// A read-only rich-text box that reports are written into line by line, bold or regular, in
// the box's text colour (its palette's Text role). Tab characters line up at the tab stops
// set. The box is the window's report sink: the core's reports write straight into it.

#include "reports/report_sink.h"

#include <QTextEdit>
#include <QTextOption>

#include <string_view>
#include <vector>

namespace vantor {

class KzReportView : public QTextEdit, public TReportSink {
    Q_OBJECT

public:
    explicit KzReportView(QWidget* parent = nullptr);

    // The text and a line break; an empty text gives an empty line.
    void AppendLine(std::string_view text, bool bold) override;
    // The same with italics (the report's footer).
    void AppendStyledLine(std::string_view text, bool bold, bool italic);
    // Positions in pixels from the left edge, in order.
    void SetTabStops(const std::vector<int>& positions);
    // Tab stops that fit the text in its fonts: each column begins a gap beyond the widest
    // text of the column before it, and never left of the given position (pixels).
    void FitTabStops(const std::vector<int>& minimum);
    const QList<QTextOption::Tab>& TabStops() const { return m_tabs; }

private:
    QList<QTextOption::Tab> m_tabs;
};

}  // namespace vantor

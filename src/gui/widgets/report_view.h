#pragma once

// A read-only rich-text box that reports are written into line by line, bold or regular, in
// the window text colour. Tab characters line up at the tab stops set.

#include <QTextEdit>

#include <string_view>
#include <vector>

namespace vantor {

class KzReportView : public QTextEdit {
    Q_OBJECT

public:
    explicit KzReportView(QWidget* parent = nullptr);

    // The text and a line break; an empty text gives an empty line.
    void AppendLine(std::string_view text, bool bold);
    // Positions in pixels from the left edge, in order.
    void SetTabStops(const std::vector<int>& positions);
};

}  // namespace vantor

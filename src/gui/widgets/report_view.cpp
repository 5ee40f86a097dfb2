#include "gui/widgets/report_view.h"

#include "gui/common/qt_text.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <optional>

namespace vantor {

KzReportView::KzReportView(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QTextEdit::NoWrap);
}

void KzReportView::AppendLine(std::string_view text, bool bold) { AppendStyledLine(text, bold, false); }

void KzReportView::AppendStyledLine(std::string_view text, bool bold, bool italic)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setForeground(palette().color(QPalette::Text));
    QTextBlockFormat block = cursor.blockFormat();
    block.setTabPositions(m_tabs);
    cursor.setBlockFormat(block);
    cursor.insertText(ToQString(text), format);
    cursor.insertBlock(block);
}

// The document's layout takes the tab positions of each block's format and ignores those of
// the default text option, so the blocks carry them; the option keeps them for the callers.
void KzReportView::SetTabStops(const std::vector<int>& positions)
{
    m_tabs.clear();
    for (const int position : positions) m_tabs.append(QTextOption::Tab(position, QTextOption::LeftTab));
    QTextOption option = document()->defaultTextOption();
    option.setTabs(m_tabs);
    document()->setDefaultTextOption(option);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat block;
    block.setTabPositions(m_tabs);
    cursor.mergeBlockFormat(block);
}

void KzReportView::FitTabStops(const std::vector<int>& minimum)
{
    // The widest text before each tab, in the font of its line (bold titles are wider).
    std::vector<double> widest;
    // A report has two or three fonts; metrics tied to the viewport look its screen up, so
    // they are made once per font, not once per line.
    std::optional<QFont> metricsFont;
    std::optional<QFontMetricsF> metrics;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QStringList cells = block.text().split(u'\t');
        if (cells.size() < 2) continue;
        const QFont font = block.begin().atEnd() ? document()->defaultFont()
                                                 : block.begin().fragment().charFormat().font().resolve(
                                                       document()->defaultFont());
        if (!metricsFont || *metricsFont != font) {
            metricsFont = font;
            metrics.emplace(font, viewport());
        }
        if (widest.size() < static_cast<size_t>(cells.size() - 1)) widest.resize(static_cast<size_t>(cells.size() - 1));
        for (qsizetype cell = 0; cell + 1 < cells.size(); ++cell)
            widest[static_cast<size_t>(cell)] =
                std::max(widest[static_cast<size_t>(cell)], metrics->horizontalAdvance(cells[cell]));
    }
    // The gap grows with the font: two average characters.
    const double gap = 2 * QFontMetricsF(document()->defaultFont(), viewport()).averageCharWidth();
    std::vector<int> stops;
    const size_t count = std::max(widest.size(), minimum.size());
    for (size_t index = 0; index < count; ++index) {
        const double start = index == 0 ? 0.0 : stops.back();
        const double fitted = start + (index < widest.size() ? widest[index] : 0.0) + gap;
        const int least = index < minimum.size() ? minimum[index] : 0;
        stops.push_back(std::max(least, static_cast<int>(std::ceil(fitted))));
    }
    SetTabStops(stops);
}

}  // namespace vantor

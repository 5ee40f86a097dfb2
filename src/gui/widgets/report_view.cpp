#include "gui/widgets/report_view.h"

#include "gui/qt_text.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

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

}  // namespace vantor

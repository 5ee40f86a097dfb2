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
    cursor.insertText(ToQString(text), format);
    cursor.insertBlock();
}

void KzReportView::SetTabStops(const std::vector<int>& positions)
{
    QList<QTextOption::Tab> tabs;
    for (const int position : positions) tabs.append(QTextOption::Tab(position, QTextOption::LeftTab));
    QTextOption option = document()->defaultTextOption();
    option.setTabs(tabs);
    document()->setDefaultTextOption(option);
}

}  // namespace vantor

#include "gui/common/message_panel.h"

#include <QGridLayout>
#include <QStatusBar>

#include <algorithm>

namespace vantor {

TMessagePanel::TMessagePanel(QWidget* parent) : QLabel(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setWordWrap(true);
    // The width comes from the status line, never from the text.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void TMessagePanel::SetMessage(const QString& text)
{
    setText(text);
    setToolTip(text);
    emit MessageChanged();
}

int TMessagePanel::OneLineWidth() const
{
    int widest = 0;
    for (const QString& line : text().split(u'\n')) widest = std::max(widest, fontMetrics().horizontalAdvance(line));
    // A framed label indents its text by half an "x" on each side.
    const int indents = indent() < 0 ? fontMetrics().horizontalAdvance(u'x') : 2 * indent();
    return widest + indents + 2 * (frameWidth() + margin());
}

int TMessagePanel::NeededHeight() const
{
    const int oneLine = fontMetrics().height() + 2 * (frameWidth() + margin());
    return std::max(oneLine, QLabel::heightForWidth(width()));
}

QSize TMessagePanel::minimumSizeHint() const
{
    m_hintHeight = NeededHeight();
    return {2 * (frameWidth() + margin()), m_hintHeight};
}

void TMessagePanel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    // A new width may need another number of lines: the status line asks again.
    if (NeededHeight() != m_hintHeight) updateGeometry();
}

TMessagePanel* AddMessagePanel(QStatusBar& bar)
{
    auto* panel = new TMessagePanel(&bar);
    bar.addWidget(panel, 1);
    return panel;
}

TStatusLine::TStatusLine(int fixedPanels, int panelWidth, QWidget* parent)
    : QWidget(parent), m_layout(new QGridLayout(this)), m_message(new TMessagePanel(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    for (int column = 0; column < fixedPanels; ++column) {
        auto* panel = new QLabel(this);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setFixedWidth(panelWidth);
        m_layout->addWidget(panel, 0, column);
        m_fixed.push_back(panel);
    }
    m_layout->setColumnStretch(fixedPanels, 1);
    m_layout->addWidget(m_message, 0, fixedPanels);
    connect(m_message, &TMessagePanel::MessageChanged, this, &TStatusLine::Arrange);
}

void TStatusLine::ShowMessageOnly()
{
    for (QLabel* panel : m_fixed) panel->hide();
    m_layout->removeWidget(m_message);
    m_layout->addWidget(m_message, 0, 0, 1, m_layout->columnCount());
    m_fixed.clear();
    m_ownLine = false;
}

void TStatusLine::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Arrange();
}

void TStatusLine::Arrange()
{
    if (m_fixed.empty()) return;
    int beside = width();
    for (const QLabel* panel : m_fixed) beside -= panel->width() + m_layout->horizontalSpacing();
    const bool ownLine = m_message->OneLineWidth() > beside;
    if (ownLine == m_ownLine) return;
    m_ownLine = ownLine;
    const int columns = static_cast<int>(m_fixed.size()) + 1;
    m_layout->removeWidget(m_message);
    if (ownLine)
        m_layout->addWidget(m_message, 1, 0, 1, columns);
    else
        m_layout->addWidget(m_message, 0, columns - 1);
}

}  // namespace vantor

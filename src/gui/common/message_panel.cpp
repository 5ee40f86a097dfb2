#include "gui/common/message_panel.h"

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

}  // namespace vantor

#pragma once

// Whether a label shows its whole text to the eye: the lines its words need at the label's
// width, measured with its font, fit the label's height, and the label lies inside its window.

#include <QFontMetrics>
#include <QLabel>

namespace vantor::test {

inline bool ShowsWholeText(const QLabel& label)
{
    if (!label.isVisible()) return false;
    const QFontMetrics metrics(label.font());
    // A framed label without an indent of its own keeps half an "x" from its frame.
    const int indent = label.indent() >= 0 ? label.indent()
                       : label.frameWidth() > 0 ? metrics.horizontalAdvance(QLatin1Char('x')) / 2
                                                : 0;
    const QRect room = label.contentsRect().adjusted(label.margin() + indent, label.margin(), -label.margin(),
                                                     -label.margin());
    const int flags = label.wordWrap() ? Qt::TextWordWrap : 0;
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, label.text());
    const QRect inWindow(label.mapTo(label.window(), QPoint(0, 0)), label.size());
    return needed.width() <= room.width() && needed.height() <= room.height() &&
           label.window()->rect().contains(inWindow);
}

// The visible label of the window that holds the text; nullptr when none does.
inline const QLabel* LabelShowing(const QWidget& window, const QString& text)
{
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisible() && label->text() == text) return label;
    return nullptr;
}

}  // namespace vantor::test

#pragma once

// The status-line panel that carries the messages a user must read whole ("El Alto Airport
// lies at 4061 m, above the calculator ... barometer held at 70 kPa"): it takes the room the
// other panels leave, wraps onto further lines when the text is longer than that room, and
// shows the text as its tooltip as well. A long text never widens the window.
//
//   TMessagePanel* message = AddMessagePanel(*statusBar);
//   message->SetMessage(tr("Ready..."));
//
// TStatusLine puts fixed-width panels and a message panel together in one status line.

#include <QLabel>

#include <vector>

class QGridLayout;
class QStatusBar;

namespace vantor {

class TMessagePanel : public QLabel {
    Q_OBJECT

public:
    explicit TMessagePanel(QWidget* parent = nullptr);

    // The text, in the panel and as its tooltip.
    void SetMessage(const QString& text);

    // The width the text takes on one line (its longest line), frame and indent included.
    int OneLineWidth() const;

    // Of any width; as tall as the text needs at the width the panel has now (one line at
    // least), so that the window grows to show it. The height follows the width the status
    // line gives, not a width of the layout's guessing (word by word), so the panel answers
    // no height-for-width questions.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return minimumSizeHint(); }
    bool hasHeightForWidth() const override { return false; }

signals:
    void MessageChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int NeededHeight() const;

    // The height the status line was last told.
    mutable int m_hintHeight = 0;
};

// A message panel at the end of the status bar, stretched over the room left there.
TMessagePanel* AddMessagePanel(QStatusBar& bar);

// Fixed-width panels followed by a message panel. The message sits beside the panels while
// it fits there on one line; a longer one takes a line of its own under them, as wide as the
// status line, so that it wraps over as few lines as it can and the fixed panels keep their
// widths.
class TStatusLine : public QWidget {
    Q_OBJECT

public:
    TStatusLine(int fixedPanels, int panelWidth, QWidget* parent = nullptr);

    QLabel& Fixed(int panel) { return *m_fixed.at(static_cast<size_t>(panel)); }
    TMessagePanel& Message() { return *m_message; }
    // Whether the message is on the line under the fixed panels.
    bool MessageOnItsOwnLine() const { return m_ownLine; }
    // Hides the fixed panels: the message panel is the status line's only panel.
    void ShowMessageOnly();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Beside the fixed panels or under them, whichever the message's length asks for.
    void Arrange();

    QGridLayout* m_layout;
    std::vector<QLabel*> m_fixed;
    TMessagePanel* m_message;
    bool m_ownLine = false;
};

}  // namespace vantor

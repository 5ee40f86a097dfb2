#pragma once

// The status-line panel that carries the messages a user must read whole ("El Alto Airport
// lies at 4061 m, above the calculator ... barometer held at 70 kPa"): it takes the room the
// other panels leave, wraps onto further lines when the text is longer than that room, and
// shows the text as its tooltip as well. A long text never widens the window.
//
//   TMessagePanel* message = AddMessagePanel(*statusBar);
//   message->SetMessage(tr("Ready..."));

#include <QLabel>

class QStatusBar;

namespace vantor {

class TMessagePanel : public QLabel {
    Q_OBJECT

public:
    explicit TMessagePanel(QWidget* parent = nullptr);

    // The text, in the panel and as its tooltip.
    void SetMessage(const QString& text);

    // Of any width; as tall as the text needs at the width the panel has now (one line at
    // least), so that the window grows to show it. The height follows the width the status
    // line gives, not a width of the layout's guessing (word by word), so the panel answers
    // no height-for-width questions.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return minimumSizeHint(); }
    bool hasHeightForWidth() const override { return false; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int NeededHeight() const;

    // The height the status line was last told.
    mutable int m_hintHeight = 0;
};

// A message panel at the end of the status bar, stretched over the room left there.
TMessagePanel* AddMessagePanel(QStatusBar& bar);

}  // namespace vantor

#pragma once

// The formatted number edit of the dialogs: KzCustomEdit that checks its text when the user
// presses Enter or leaves it. A value that had to be limited to the range beeps and keeps the
// focus; Enter then does not reach the dialog's default button.

#include "gui/widgets/custom_edit.h"

namespace vantor {

class TFmtEdit : public KzCustomEdit {
    Q_OBJECT

public:
    using KzCustomEdit::KzCustomEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Validate when the text was modified; true when it passed or needed no check.
    bool EndEdit();
};

}  // namespace vantor

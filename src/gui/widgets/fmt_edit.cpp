#include "gui/widgets/fmt_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace vantor {

bool TFmtEdit::EndEdit() { return !isModified() || Validate(); }

void TFmtEdit::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !isReadOnly() && !EndEdit()) return;  // stays in the edit, limited
    KzCustomEdit::keyPressEvent(event);
}

void TFmtEdit::focusOutEvent(QFocusEvent* event)
{
    KzCustomEdit::focusOutEvent(event);
    // A pop-up (the units picker, a menu) or another window taking the focus does not end
    // the edit.
    const bool leftEdit = event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
    if (!leftEdit || isReadOnly() || EndEdit()) return;
    KeepStateOnNextFocus();
    QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

}  // namespace vantor

#include "gui/widgets/fmt_edit_label.h"

#include "gui/common/units_picker.h"
#include "gui/widgets/custom_edit.h"

#include <QMouseEvent>

namespace vantor {

namespace {

// The picker opens a little right of and below the pointer, clear of the label's text.
constexpr QPoint kPickerOffset{5, 5};

}  // namespace

TFmtEditLabel::TFmtEditLabel(QWidget* parent) : QLabel(parent) {}

void TFmtEditLabel::Attach(KzCustomEdit* edit)
{
    if (edit && !m_edits.contains(edit)) m_edits.append(edit);
}

void TFmtEditLabel::Detach(KzCustomEdit* edit) { m_edits.removeAll(edit); }

QList<KzCustomEdit*> TFmtEditLabel::Edits() const
{
    QList<KzCustomEdit*> edits;
    for (const QPointer<KzCustomEdit>& edit : m_edits)
        if (edit) edits.append(edit);
    return edits;
}

void TFmtEditLabel::ChooseUnits(int index)
{
    for (KzCustomEdit* edit : Edits()) edit->ChooseUnits(index);
}

void TFmtEditLabel::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    const QList<KzCustomEdit*> edits = Edits();
    if (!edits.isEmpty()) {
        const KzCustomEdit& first = *edits.front();
        const QPoint at = event->globalPosition().toPoint() + kPickerOffset;
        ChooseUnits(TUnitsForm::Pick(first.UnitsType(), first.UnitsValue(), at, this));
    }
    emit Clicked();
}

}  // namespace vantor

#pragma once

// The unit label beside one or more formatted edits. It shows the edits' unit; a click opens
// the units picker and switches every attached edit, in attachment order, to the unit chosen.

#include <QLabel>
#include <QList>
#include <QPointer>

namespace vantor {

class KzCustomEdit;

class TFmtEditLabel : public QLabel {
    Q_OBJECT

public:
    explicit TFmtEditLabel(QWidget* parent = nullptr);

    // An edit is attached at most once. Edits are attached through KzCustomEdit::SetUnitsLabel.
    void Attach(KzCustomEdit* edit);
    void Detach(KzCustomEdit* edit);
    // The attached edits that still exist, in attachment order.
    QList<KzCustomEdit*> Edits() const;

    // Gives every attached edit the unit, as a pick on the label does.
    void ChooseUnits(int index);

signals:
    // After the unit was chosen (or when no edit is attached, after any click).
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QList<QPointer<KzCustomEdit>> m_edits;
};

}  // namespace vantor

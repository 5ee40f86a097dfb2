#pragma once

// The units picker: a borderless pop-up list of the units of one units type, opened on a unit
// cell of the entry grid or on the unit label of a formatted edit. Enter, Escape or a click on
// an item closes it; the item highlighted then is the choice (Escape does not cancel).

#include "units/units_type.h"

#include <QDialog>

class QListWidget;

namespace vantor {

class TUnitsForm : public QDialog {
    Q_OBJECT

public:
    // Lists the unit labels of the type with unit `selected` highlighted; the window is sized
    // to its items.
    TUnitsForm(TUnitsType type, int selected, QWidget* parent = nullptr);

    int SelectedIndex() const;
    QListWidget& List() const { return *m_list; }

    // Shows the picker with its top left corner at the screen position and returns the unit
    // chosen.
    static int Pick(TUnitsType type, int selected, QPoint screenPos, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FitToItems();

    QListWidget* m_list;
};

}  // namespace vantor

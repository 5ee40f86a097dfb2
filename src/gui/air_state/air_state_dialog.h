#pragma once

// The air state dialog component: a window that edits air (the main window's on-coil air,
// say) keeps one, named after its use ("OnCoilDlg"), and opens the air state calculator
// through it. It holds the point edited and remembers, in the program's settings under its
// own name, where the calculator stood, its size, column widths and row units.
//
//   TAirStateDlg dlg(QStringLiteral("OnCoilDlg"), this);
//   dlg.Data().Caption = "On Coil Air";
//   dlg.Data().SetPressure(kStandardAtmosphere);
//   dlg.Data().SetTemperature("24/17");
//   if (dlg.Execute() == QDialog::Accepted) text = dlg.Data().Temperature();

#include "air_state/air_state_dialog.h"
#include "gui/air_state/air_state_window.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace vantor {

class TAirStateDlg : public QObject {
    Q_OBJECT

public:
    // The stored settings of the component `name` are read at once.
    TAirStateDlg(const QString& name, QWidget* parent);
    // The settings are written.
    ~TAirStateDlg() override;

    TAirStateDlgData& Data() { return m_data; }
    const TAirStateDlgData& Data() const { return m_data; }

    // Opens the calculator on point (the dialog's own without one) at left, top (-99: where it
    // last stood, or at the mouse). Modal: returns QDialog::Accepted or Rejected when the
    // window closes. Modeless: returns 0 at once; the window frees itself when closed.
    int Execute(TPsyPoint* point = nullptr, int left = -99, int top = -99);
    // The window open now, if any.
    TAirStateBox* Box() const { return m_box; }

    void SaveSettings() const;

signals:
    // The calculator is on the screen (tests and screenshots drive it from here).
    void BoxShown(TAirStateBox* box);
    // The point's name or state was changed in the calculator.
    void EditAirconItem(TPsyPoint* point);

private:
    QWidget* m_parent;
    TAirStateDlgData m_data;
    QPointer<TAirStateBox> m_box;
};

}  // namespace vantor

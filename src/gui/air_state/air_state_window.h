#pragma once

// The air state calculator window: the twelve rows of one moist-air state in the entry grid,
// the rows of the pair that fixes the state drawn highlighted, the toolbar commands Open and
// Save (".psx" files), Copy and Paste ("db/wb" text), View (the table as comma-separated text),
// Help, Accept and, when modal, Cancel, and the pop-up's "Copy to XML". The rules are
// TAirStateCalc's; the window wires the controls to them.

#include "air_state/air_state_calc.h"
#include "gui/widgets/property_window.h"

#include <memory>

namespace vantor {

class TPageOpener;

class TAirStateBox : public TTechForm {
    Q_OBJECT

public:
    // The window edits the point; settings give its size, column widths and row units.
    TAirStateBox(TPsyPoint& point, const TAirConDlgSettings& settings, bool editItemName, bool editPressure,
                 bool modal, QWidget* parent = nullptr);
    ~TAirStateBox() override;

    TAirStateCalc& Calc() { return *m_calc; }
    bool Modal() const { return m_modal; }
    // QDialog::Accepted or QDialog::Rejected once the window was closed.
    int Result() const { return m_result; }

    // ---- Commands ----
    // A state saved at another barometer is loaded as it is, with a warning naming the
    // difference: its moisture content belongs to that pressure.
    bool LoadFile(const QString& fileName);
    bool SaveFile(const QString& fileName);
    void CopyState();
    void PasteState();
    QString CopyTable();
    QString CopyXml();
    void ShowHelp();
    // Closes with Accepted, or with Rejected while the state is invalid.
    void AcceptState();
    void CancelState();

    // The window's present size, column widths and row units for the dialog to keep.
    void TakeSettings(TAirConDlgSettings& settings) const;
    // Where the Open and Save dialogs start.
    static QString FileFolder();
    static QString FileFilter();

signals:
    // The point's name or state was changed by the user.
    void EditAirconItem();
    void Closed(int result);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape acts as Cancel while Cancel is offered.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetUpActions();
    void ShowStatus();
    void Activate();
    void Leave();
    void Realign();
    QString ChooseFile(bool save, const QString& start);

    std::unique_ptr<TAirStateCalc> m_calc;
    TPageOpener* m_helpOpener;
    QString m_lastFile;
    bool m_modal;
    int m_result;
    bool m_closed = false;
};

}  // namespace vantor

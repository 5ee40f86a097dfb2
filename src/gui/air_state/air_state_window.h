#pragma once

// The air state calculator window: the twelve rows of one moist-air state in the entry grid,
// the rows of the pair that fixes the state drawn highlighted, the toolbar commands Open and
// Save (".psx" files), Copy and Paste ("db/wb" text), View (the table as comma-separated text),
// Help, Accept and, when modal, Cancel, and the pop-up's "Copy to XML". The rules are
// TAirStateCalc's; the window wires the controls to them.

#include "air_state/air_state_calc.h"
#include "gui/widgets/property_window.h"

#include <functional>
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

    // The file the Open and Save commands use; empty when the user cancelled. Tests replace it.
    using TChooseFile = std::function<QString(bool save, const QString& folder)>;
    void SetChooseFile(TChooseFile chooseFile) { m_chooseFile = std::move(chooseFile); }

    // ---- Commands ----
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

private:
    void SetUpActions();
    void ShowStatus();
    void Activate();
    void Leave();
    void Realign();
    QString DefaultChooseFile(bool save, const QString& folder);

    std::unique_ptr<TAirStateCalc> m_calc;
    TPageOpener* m_helpOpener;
    TChooseFile m_chooseFile;
    QString m_lastFile;
    bool m_modal;
    int m_result;
    bool m_closed = false;
};

}  // namespace vantor

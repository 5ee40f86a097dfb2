#pragma once

// The fin and tube editor window: the coil's height, length, rows, fin density or pitch,
// circuits, materials and tube range, each with spin buttons in the coil builder's steps,
// six sizing commands, and a summary page rated again after every change. The rules live in
// the core's TFatEditor; the window shows the coil and passes each control's action on.
//
// The tube-range and "Settings" buttons open windows of their own through hooks the program
// connects; a button without its hook is disabled.
//
//   form.SetTargetCoil(&coil);  form.SetDesignDuty(doc.DesignDuty());  form.SetKeepAirFlow(false);
//   if (form.exec() == QDialog::Accepted) take(coil.GetModelText());

#include "coil_editor/coil_editor.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;
class QToolButton;

namespace vantor {

class TCoil;
class TFmtEdit;
class TFmtEditLabel;
class TPageOpener;

class TFatForm : public QDialog {
    Q_OBJECT

public:
    // Lets the user pick a tube range for record (the coil maker window); true when one was
    // accepted into record.
    using TChooseTubeRange = std::function<bool(TModelRec& record, bool allowDatabaseEdit, bool allowMakerChoice)>;
    // Shows the design settings for the coil; they reach the coil when that window closes.
    using TEditDesignSettings = std::function<void(TCoil& coil)>;

    static constexpr const char* kHelpPage = "FatDlg.htm";

    explicit TFatForm(QWidget* parent = nullptr);
    ~TFatForm() override;

    // ---- What the caller sets before showing the window ----
    void SetTargetCoil(TCoil* coil);
    TCoil* TargetCoil() const { return m_editor.TargetCoil(); }
    void SetApplyCallback(TFatEditor::TApplyCallback callback) { m_editor.SetApplyCallback(std::move(callback)); }
    bool AllowDatabaseEdit = false;
    bool AllowMakerChoice = false;
    void SetChooseTubeRange(TChooseTubeRange hook);
    void SetEditDesignSettings(TEditDesignSettings hook);
    void SetDesignDuty(double kW);
    double DesignDuty() const;
    void SetKeepAirFlow(bool keep);
    bool KeepAirFlow() const;
    // After a unit-system switch: the units of the duty and the finned length.
    void SetUnitChoices(int dutyUnits, int lengthUnits);

    // ---- The window's commands, as its controls run them ----
    // The state Cancel restores, the coil's values, the summary.
    void Activate();
    void ShowGeometry();
    void ShowSummary();
    void EditExit(TFatValue value);
    void Spin(TFatValue value, bool up);
    void Size(TFatSizing sizing);
    void ChooseTubeRange();
    void EditDesignSettings();
    // The maker's circuiting picture, else one drawn from the counts.
    void ShowCircuitPicture();
    void ShowHelp();
    // "&Cancel": the coil as it was at activation, then the window closes with Cancel.
    void CancelClick();
    void reject() override;

    // ---- For tests and screenshots ----
    TFatEditor& Editor() { return m_editor; }
    TFmtEdit& Edit(TFatValue value) const { return *m_edits[static_cast<size_t>(value)]; }
    TFmtEdit& DesignDutyEdit() const { return *m_dutyEdit; }
    QTextBrowser& SummaryView() const { return *m_summary; }
    QLabel& SerpLabel() const { return *m_serpLabel; }
    QPushButton& TubeRangeButton() const { return *m_mnfButton; }
    QPushButton& SettingsButton() const { return *m_settingsButton; }
    QComboBox& MaterialCombo(int which) const { return *m_materials[static_cast<size_t>(which)]; }
    // The summary page as HTML; the circuit picture's page while it is shown.
    const QString& PageHtml() const { return m_pageHtml; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void LoadUnits();
    void SaveUnits();
    void ShowPage(const std::vector<std::string>& lines);
    void AfterChange();

    TFatEditor m_editor;
    TChooseTubeRange m_chooseTubeRange;
    TEditDesignSettings m_editDesignSettings;
    TFmtEdit* m_dutyEdit = nullptr;
    TFmtEditLabel* m_dutyLabel = nullptr;
    QLineEdit* m_tubeSizeEdit = nullptr;
    QPushButton* m_mnfButton = nullptr;
    QPushButton* m_settingsButton = nullptr;
    std::array<TFmtEdit*, 6> m_edits{};
    std::array<TFmtEditLabel*, 6> m_unitLabels{};
    QLabel* m_serpLabel = nullptr;
    std::array<QComboBox*, 3> m_materials{};
    QTextBrowser* m_summary = nullptr;
    QCheckBox* m_keepAirFlow = nullptr;
    TPageOpener* m_helpOpener = nullptr;
    QString m_pageHtml;
    bool m_showing = false;  // while controls are filled from the coil
};

}  // namespace vantor

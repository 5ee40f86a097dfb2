#pragma once

// The main window: the rating document's thirteen rows in the entry grid, the toolbar
// commands (open, save, copy, solve, view, align, units, help), the status line, the grid's
// pop-up commands and the windows the document works with (report, viewer, customise units,
// about). The window only forwards: every command is one call into the document or the data
// file, and what comes back is shown.
//
// Questions (the unsaved-work prompt, the overwrite prompt), the choice of a file name and
// messages go through the window's prompts, so that tests can answer them.

#include "document/document_observer.h"
#include "gui/common/prompts.h"
#include "gui/widgets/property_window.h"
#include "text/result.h"
#include "rows/field.h"
#include "rows/variant.h"

#include <functional>
#include <memory>

class QMenu;

namespace vantor {

class TAboutForm;
class TFatForm;
class TCalibrateForm;
class TCoilMakerForm;
class TCoilSettingsForm;
class TIniEditorForm;
class TAirStateDlg;
class TFluidSpecForm;
class TDataChart;
class TFileProperties;
class TFilePropertiesForm;
class TPageOpener;
class TRatingDocument;
class TReportForm;
class TSetUnitsForm;
class TSettingsStore;
class TUnitsRegistry;
class TViewForm;

class TVantorForm : public TTechForm, public TDocumentObserver {
    Q_OBJECT

public:
    // units: the run's registry, "units.ini" already read. web: the maker's web address for
    // the about window.
    explicit TVantorForm(TUnitsRegistry& units, const QString& web = {}, QWidget* parent = nullptr);
    ~TVantorForm() override;

    TRatingDocument& Document() const { return *m_document; }
    TFileProperties& FileProperties() const { return *m_properties; }
    TFilePropertiesForm& FilePropertiesForm() const { return *m_filePropertiesForm; }
    TReportForm& ReportForm() const { return *m_report; }
    TViewForm& Viewer() const { return *m_viewer; }
    TSetUnitsForm& SetUnitsForm() const { return *m_setUnits; }
    TAboutForm& AboutForm() const { return *m_about; }
    TDataChart& DataChart() const { return *m_dataChart; }
    TFatForm& FatForm() const { return *m_fatForm; }
    QMenu& GridMenu() const { return *m_gridMenu; }
    TPageOpener& HelpOpener() const { return *m_helpOpener; }
    // The coil windows, made once at start-up; the fin and tube editor opens the first two.
    TCoilMakerForm& CoilMakerForm() const { return *m_coilMaker; }
    TCoilSettingsForm& CoilSettingsForm() const { return *m_coilSettings; }
    TIniEditorForm& IniEditorForm() const { return *m_iniEditor; }
    TCalibrateForm& CalibrateForm() const { return *m_calibrate; }
    // Maintainer mode (the maker key's user is the build's maintainer): the catalogue may be
    // edited from the coil maker window and the coil calibrated.
    bool MaintainerMode() const { return m_maintainer; }
    bool AllowDatabaseEdit() const { return m_maintainer; }
    // The on-coil air's calculator component ("OnCoilDlg") and the fluid dialog.
    TAirStateDlg& OnCoilDlg() const { return *m_onCoilDlg; }
    TFluidSpecForm& FluidSpecForm() const { return *m_fluidSpec; }

    // The data file to open at the first activation (from the command line).
    void SetStartFile(const QString& fileName) { m_startFile = fileName; }
    // Opens the start file, connects the report window and shows the rows; runs once, when
    // the window is first shown.
    void FirstActivation();
    bool Activated() const { return m_activated; }

    // ---- File commands ----
    enum class TDiscardReason { Opening, Closing };
    // True when the present document may be given up. A document with a file that differs
    // from it asks "<name> not saved." / "Save now?": Yes saves (and gives up only when that
    // worked), No gives up, Cancel keeps it. Without a file the inputs live on in the
    // settings, so closing goes ahead; opening another file asks first, as the inputs would
    // be lost, and Yes asks for a name.
    bool CanDiscard(TDiscardReason reason);
    void OpenWithDialog();
    // Asks for a name (always), and whether to overwrite an existing file; true when saved.
    bool SaveWithDialog();
    // Opens a data file; a failure is shown.
    TResult OpenDataFile(const QString& fileName);
    // Saves to the file; a failure is shown. A file that may not be replaced (read-only, or no
    // regular file) then offers the Save As dialog. True when saved.
    bool SaveDataFile(const QString& fileName);
    // Where the open and save dialogs start.
    const QString& DialogFolder() const { return m_dialogFolder; }
    static QString FileFilter();

    // ---- Other commands ----
    TResult Solve();
    void UpdateReport();
    void ToggleReport();
    void CopyResult();
    void ShowUnitMenu();
    void SetUnitSystem(bool imperial);
    void CustomiseUnits();
    void ShowHelp();
    void ShowAbout();
    void Diagnostics1Click();
    void SetIdealFlows1Click();
    // Writes the air process for the psychrometric chart program and hands it over; a
    // failure (no chart program installed, say) is shown.
    void PlotprocessonAerograph1Click();
    void ViewCoilDetailsClick();
    // Row 1's "...": the fin and tube editor on the coil; Accept takes its model into the row.
    // Answers as a row editor does (2: handled, nothing for the grid to write).
    TPropEditAnswer EditModel();
    // "Calibrate Coil Performance" (maintainer mode): the calibrator on the document's coil;
    // Accept keeps its factors in the document.
    void CalibrateCoil1Click();
    // The temperature profile of fluid, air, fin surface and dew point through the coil in
    // the data chart (solving first when needed).
    void Stepbystepsimulation1Click();
    // "Properties...": the data file's properties; accepted changes leave the file unsaved.
    void ShowFileProperties();

    // The fluid defaults, the document's settings with the window's placement and column
    // widths, and the unit choices. False (and a message) when they could not be written.
    bool SaveOnClose();

    // ---- TDocumentObserver ----
    void StatusTextChanged(TStatusPanel panel, std::string_view text) override;
    void ShowMessage(std::string_view text, TMessageKind kind) override;
    TAnswer Ask(std::string_view question) override;
    void RowsChanged() override;
    void ReportReady(const TDocumentReport& report) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SetUpActions();
    void SetUpGrid();
    void SetUpMenus();
    // The unit choices of the customise-units window reach the document and the editor.
    void ApplyUnitSystem();
    void SetUpCoilWindows(const QString& web);
    void ShowGridMenu(const QPoint& position);
    // The "..." editors of the on-coil air and heating fluid rows.
    void SetUpAirAndFluidEditors();
    TPropEditAnswer EditAirOn(TVariant& value);
    TPropEditAnswer EditFluid();
    // The open or save dialog for data files, starting in DialogFolder on the document's name.
    QString ChooseDataFile(TFileAccess access);
    QString DocumentFileName() const;

    TUnitsRegistry& m_units;
    TReportForm* m_report;
    std::unique_ptr<TFileProperties> m_properties;
    std::unique_ptr<TRatingDocument> m_document;
    TViewForm* m_viewer;
    TFilePropertiesForm* m_filePropertiesForm = nullptr;
    TSetUnitsForm* m_setUnits;
    TAboutForm* m_about;
    TDataChart* m_dataChart;
    TFatForm* m_fatForm;
    QMenu* m_gridMenu;
    QMenu* m_unitMenu;
    // The keys as the document read them at start-up. The close writes into these, so a
    // value this window left alone is no change and does not overwrite what another running
    // copy stored meanwhile.
    std::unique_ptr<TSettingsStore> m_programKey;
    std::unique_ptr<TSettingsStore> m_sharedKey;
    TPageOpener* m_helpOpener;
    TIniEditorForm* m_iniEditor = nullptr;
    TCoilMakerForm* m_coilMaker = nullptr;
    TCoilSettingsForm* m_coilSettings = nullptr;
    TCalibrateForm* m_calibrate = nullptr;
    bool m_maintainer = false;
    TAirStateDlg* m_onCoilDlg = nullptr;
    TFluidSpecForm* m_fluidSpec = nullptr;
    QString m_startFile;
    QString m_dialogFolder;
    bool m_activated = false;
    bool m_reportPlaced = false;
};

}  // namespace vantor

#include "gui/main/main_window.h"

#include "calibration/coil_calibrator.h"
#include "datafile/data_file.h"
#include "document/document_rows.h"
#include "document/psy_export.h"
#include "document/rating_document.h"
#include "gui/air_state/air_state_dialog.h"
#include "gui/calibration/calibrator_window.h"
#include "gui/coil_maker/coil_maker_window.h"
#include "gui/chart/data_chart.h"
#include "gui/locations/barometer_window.h"
#include "gui/selection/selection_window.h"
#include "gui/coil_editor/coil_editor_window.h"
#include "gui/design_settings/design_settings_window.h"
#include "gui/ini_editor/ini_editor_window.h"
#include "gui/heating_fluid/fluid_window.h"
#include "gui/main/about_box.h"
#include "gui/file_properties/file_properties_window.h"
#include "gui/common/form_placement.h"
#include "gui/common/page_opener.h"
#include "gui/reports/report_window.h"
#include "gui/units/units_window.h"
#include "gui/reports/view_window.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/entry_grid.h"
#include "gui/widgets/report_view.h"
#include "reports/file_properties.h"
#include "settings/folders.h"
#include "settings/maker_info.h"
#include "settings/settings_store.h"
#include "settings/window_placement.h"

#include "vantor_version.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

namespace vantor {

namespace {

constexpr std::string_view kHelpPage = "Common Files/Coils.htm";
constexpr std::string_view kReportSection = "ReportForm";
constexpr int kReportGap = 8;

QString FolderOf(const QString& fileName) { return QFileInfo(fileName).absolutePath(); }

}  // namespace

TVantorForm::TVantorForm(TUnitsRegistry& units, const QString& web, QWidget* parent)
    : TTechForm(parent),
      m_units(units),
      m_report(new TReportForm(this)),
      m_gridMenu(new QMenu(this)),
      m_unitMenu(new QMenu(this)),
      m_programKey(std::make_unique<TSettingsStore>(TSettingsKey::Program)),
      m_sharedKey(std::make_unique<TSettingsStore>(TSettingsKey::Shared)),
      m_helpOpener(new TPageOpener(this))
{
    setObjectName(ToQString(kDocumentSection));
    setWindowTitle(QStringLiteral("%1 %2").arg(QString::fromUtf8(kProductName), QString::fromUtf8(kFileVersion)));

    {
        const TSettingsStore& programKey = *m_programKey;
        const TSettingsStore& sharedKey = *m_sharedKey;
        m_properties = std::make_unique<TFileProperties>(
            TFileProperties::FromDefaults(ReadFilePropertiesDefaults(programKey)));
        m_document = std::make_unique<TRatingDocument>(TDocumentServices{units, programKey, sharedKey,
                                                                         TFolderEnvironment::FromProcess(), this, {}});
        ApplyPlacement(*this, RestoreWindowPlacement(programKey, kDocumentSection, PlacementOf(*this),
                                                     ScreenSizeOf(*this), false, true));
        m_reportPlaced = programKey.SectionExists(kReportSection);
    }
    m_viewer = new TViewForm(this);
    m_filePropertiesForm = new TFilePropertiesForm(*m_properties, *m_programKey, this);
    m_setUnits = new TSetUnitsForm(this);
    m_about = new TAboutForm(tr("Hot Water Coil"), web, this);
    m_dataChart = new TDataChart(this);
    m_fatForm = new TFatForm(this);
    const TDataFolder dataFolder = EnsureDataFolder();
    m_dialogFolder = dataFolder.Result ? QString::fromStdString(dataFolder.Folder.string()) : QDir::homePath();

    SetUpCoilWindows(web);
    SetUpActions();
    SetUpMenus();
    SetUpGrid();
    for (const TStatusPanel panel : {spEdit, spSolve, spFile})
        SetStatusText(panel, ToQString(m_document->StatusText(panel)));
    // A first run sizes the window to its rows.
    if (!m_document->StoredSettings().Stored) Align();
}

TVantorForm::~TVantorForm()
{
    // The grid shows the document's rows; it must stop before they go.
    Grid().SetPropertyRows(nullptr);
    m_document->SetObserver(nullptr);
}

void TVantorForm::SetUpActions()
{
    SetHandler(TTechAction::Open, [this] { OpenWithDialog(); });
    SetHandler(TTechAction::Save, [this] { SaveWithDialog(); });
    SetHandler(TTechAction::Copy, [this] { CopyResult(); });
    // A failed solve shows on the status line.
    SetHandler(TTechAction::Solve, [this] { (void)Solve(); });
    SetHandler(TTechAction::View, [this] { ToggleReport(); });
    SetHandler(TTechAction::Reset, [this] { ShowUnitMenu(); });
    SetHandler(TTechAction::About, [this] { ShowAbout(); });
    SetHandler(TTechAction::Help, [this] { ShowHelp(); });
    for (const TTechAction hidden : {TTechAction::Paste, TTechAction::Print, TTechAction::About, TTechAction::Accept,
                                     TTechAction::Cancel})
        ShowAction(hidden, false);
    SetHelpDropDown();
}

void TVantorForm::SetUpCoilWindows(const QString& web)
{
    m_maintainer = IsMaintainerMode(ReadMakerInfo(TSettingsStore(TSettingsKey::Maker)).User);
    m_iniEditor = new TIniEditorForm(web, this);
    m_coilMaker = new TCoilMakerForm(m_document->Makers(), *m_iniEditor, this);
    m_coilSettings = new TCoilSettingsForm(this);
    m_calibrate = new TCalibrateForm(this);
    // The stored design settings reach the coil from the start, not only once the fin and
    // tube editor has been opened.
    m_coilSettings->SetCoil(m_document->HotWaterCoil());
}

void TVantorForm::CalibrateCoil1Click()
{
    Grid().CommitEdit();
    m_calibrate->SetFluidSideEnabled(true);
    m_calibrate->SetCoil(m_document->HotWaterCoil());
    if (m_calibrate->exec() == QDialog::Accepted) AcceptCalibration(*m_document);
}

void TVantorForm::SetUpMenus()
{
    m_gridMenu->addAction(tr("Diagnostics"), this, &TVantorForm::Diagnostics1Click);
    m_gridMenu->addAction(tr("Typical Airconditioning Conditions"), this, &TVantorForm::SetIdealFlows1Click);
    m_gridMenu->addAction(tr("Plot process on Aerograph"), this, &TVantorForm::PlotprocessonAerograph1Click);
    m_gridMenu->addAction(tr("Manufacturing Report"), this, &TVantorForm::ViewCoilDetailsClick);
    m_gridMenu->addAction(tr("Coil Selection..."), this, [this] {
        Grid().CommitEdit();
        TCoilSelectionForm selection(*m_document, this);
        selection.exec();
    });
    if (m_maintainer)
        m_gridMenu->addAction(tr("Calibrate Coil Performance"), this, &TVantorForm::CalibrateCoil1Click);
    m_gridMenu->addAction(tr("Step-by-Step Simulation"), this, &TVantorForm::Stepbystepsimulation1Click);
    m_gridMenu->addAction(tr("Properties..."), this, &TVantorForm::ShowFileProperties);
    m_gridMenu->addSeparator();
    m_gridMenu->addAction(&Action(TTechAction::Clip));
    m_gridMenu->addAction(&Action(TTechAction::CopyXml));

    m_unitMenu->addAction(tr("&Metric"), this, [this] { SetUnitSystem(false); });
    m_unitMenu->addAction(tr("&Imperial"), this, [this] { SetUnitSystem(true); });
    m_unitMenu->addSeparator();
    m_unitMenu->addAction(tr("&Customise Units..."), this, &TVantorForm::CustomiseUnits);
}

void TVantorForm::SetUpGrid()
{
    TEntryGrid& grid = Grid();
    grid.SetPropertyRows(&m_document->Rows());
    grid.SetUnitsColumn(kUnitsColumn);
    grid.SetOnUnitsClick(TEntryGrid::UnitsPicker);
    grid.SetPropertyEditor(rowBarometer, [this](TVariant& value) { return EditBarometer(*this, value); });
    // The rows of the coil model, barometer, on-coil air and heating fluid get their "..."
    // editors with the windows that edit them. The design duty row carries the editor button
    // of its descriptor without an editor behind it: a press changes nothing.
    grid.SetPropertyEditor(rowDesignDuty, [](TVariant&) { return TPropEditAnswer::Ignored; });
    SetUpAirAndFluidEditors();
    grid.SetPropertyEditor(rowModel, [this](TVariant&) { return EditModel(); });
    const std::array<int, 3>& widths = m_document->StoredSettings().ColumnWidths;
    for (int col = 0; col < static_cast<int>(widths.size()); ++col) grid.SetColWidth(col, widths[static_cast<size_t>(col)]);

    connect(&grid, &TEntryGrid::OnDoSetData, this, [this](int col, int row) {
        // A refused value reaches the user through the document's messages.
        if (col == kValueColumn) (void)m_document->GridDoSetData(row);
    });
    connect(&grid, &TEntryGrid::OnAfterRightClick, this, [this](int row) { m_document->GridAfterRightClick(row); });
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&grid, &QWidget::customContextMenuRequested, this, &TVantorForm::ShowGridMenu);
}

void TVantorForm::SetUpAirAndFluidEditors()
{
    m_onCoilDlg = new TAirStateDlg(QStringLiteral("OnCoilDlg"), this);
    TAirStateDlgData& air = m_onCoilDlg->Data();
    air.Caption = "On Coil Air";
    air.Point.ItemName = "On Coil";
    air.Modal = true;
    air.EditItemName = false;
    air.EditPressure = false;
    m_fluidSpec = new TFluidSpecForm(this);
    m_fluidSpec->SetLiquid(m_document->Liquid());
    Grid().SetPropertyEditor(rowAirOn, [this](TVariant& value) { return EditAirOn(value); });
    Grid().SetPropertyEditor(rowFluid, [this](TVariant&) { return EditFluid(); });
}

TPropEditAnswer TVantorForm::EditAirOn(TVariant& value)
{
    TAirStateDlgData& air = m_onCoilDlg->Data();
    air.SetPressure(m_document->Barometer());
    air.SetTemperature(VariantText(value));
    if (m_onCoilDlg->Execute() != QDialog::Accepted) return TPropEditAnswer::Cancelled;
    value = air.Temperature();
    return TPropEditAnswer::Accepted;
}

TPropEditAnswer TVantorForm::EditFluid()
{
    const QPoint cursor = QCursor::pos();
    m_fluidSpec->Place(cursor.x(), cursor.y());
    const bool accepted = m_fluidSpec->exec() == QDialog::Accepted;
    // The row shows the liquid's caption again either way; an accepted change is an edit. A
    // refusal reaches the user through the document's messages.
    (void)m_document->FluidEditorClosed(accepted);
    return TPropEditAnswer::Cancelled;
}

void TVantorForm::ShowGridMenu(const QPoint& position)
{
    TEntryGrid& grid = Grid();
    const QModelIndex index = grid.indexAt(position);
    // A press on a unit cell opened the unit picker already.
    if (index.isValid() && index.column() == kUnitsColumn && grid.Rows().RowHasUnits(index.row() + 1)) return;
    m_gridMenu->popup(grid.viewport()->mapToGlobal(position));
}

void TVantorForm::showEvent(QShowEvent* event)
{
    TTechForm::showEvent(event);
    // After the window is on the screen, so that a message about the start file has a parent.
    if (!m_activated) QTimer::singleShot(0, this, &TVantorForm::FirstActivation);
}

void TVantorForm::FirstActivation()
{
    if (m_activated) return;
    m_activated = true;
    m_report->SetTabStops({110, 170, 0});
    m_report->OnRefresh = [this] { UpdateReport(); };
    m_report->setWindowTitle(QString::fromUtf8(TRatingDocument::ShortName.data(),
                                               static_cast<qsizetype>(TRatingDocument::ShortName.size())) +
                             tr(" Report"));
    // Stored values that could not be used as they stood, now that the window can own a message.
    m_document->ShowInputCheck(m_document->SettingsCheck(), "the settings");
    if (!m_startFile.isEmpty()) (void)OpenDataFile(m_startFile);  // a failure was shown
    m_document->ShowValues();
}

// ---- Files ----

QString TVantorForm::FileFilter()
{
    const QString extension = ToQString(TRatingDocument::FileExtension);
    return ToQString(TRatingDocument::ShortName) + QStringLiteral(" Data File (*") + extension + QStringLiteral(")");
}

QString TVantorForm::DocumentFileName() const { return QString::fromStdString(m_document->FileName()); }

bool TVantorForm::CanDiscard(TDiscardReason reason)
{
    if (m_document->Saved()) return true;
    const QString fileName = DocumentFileName();
    if (fileName.isEmpty() && reason == TDiscardReason::Closing) return true;
    const QString shown = fileName.isEmpty() ? tr("Untitled") : QFileInfo(fileName).fileName();
    switch (Prompts().Ask(shown + tr(" not saved.") + u'\n' + tr("Save now?"))) {
    case TAnswer::Yes:
        return fileName.isEmpty() ? SaveWithDialog() : SaveDataFile(fileName);
    case TAnswer::No:
        return true;
    case TAnswer::Cancel:
        break;
    }
    return false;
}

void TVantorForm::OpenWithDialog()
{
    Grid().CommitEdit();
    if (!CanDiscard(TDiscardReason::Opening)) return;
    const QString chosen = ChooseDataFile(TFileAccess::Open);
    if (chosen.isEmpty()) return;
    m_dialogFolder = FolderOf(chosen);
    (void)OpenDataFile(chosen);  // a failure was shown
}

bool TVantorForm::SaveWithDialog()
{
    Grid().CommitEdit();
    QString chosen = ChooseDataFile(TFileAccess::Save);
    if (chosen.isEmpty()) return false;
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += ToQString(TRatingDocument::FileExtension);
    const QString fullPath = QFileInfo(chosen).absoluteFilePath();
    if (QFileInfo::exists(fullPath) && Prompts().Ask(tr("OK to overwrite %1 ?").arg(fullPath)) != TAnswer::Yes) return false;
    m_dialogFolder = FolderOf(fullPath);
    return SaveDataFile(fullPath);
}

TResult TVantorForm::OpenDataFile(const QString& fileName)
{
    const TResult opened = OpenFile(*m_document, *m_properties, ToStdString(fileName));
    if (!opened && !opened.Message.empty()) ShowMessageText(ToQString(opened.Message), true);
    return opened;
}

bool TVantorForm::SaveDataFile(const QString& fileName)
{
    const TResult saved = SaveFile(*m_document, *m_properties, ToStdString(fileName));
    if (saved) return true;
    ShowMessageText(ToQString(saved.Message), true);
    // A read-only file, or a name that is no regular file: the work can still go under another.
    return saved.Code == dfTargetRefused && SaveWithDialog();
}

QString TVantorForm::ChooseDataFile(TFileAccess access)
{
    const bool saving = access == TFileAccess::Save;
    const QString fileName = DocumentFileName();
    TFileRequest request{access, saving ? tr("Save As") : tr("Open"), FileFilter(), m_dialogFolder,
                         fileName.isEmpty() ? QString() : QFileInfo(fileName).fileName()};
    // The overwrite question is the window's own.
    request.ConfirmOverwrite = false;
    return Prompts().ChooseFile(request);
}

// ---- Commands ----

TResult TVantorForm::Solve()
{
    Grid().CommitEdit();
    return m_document->Solve();
}

void TVantorForm::UpdateReport() { m_document->UpdateReport(); }

void TVantorForm::ToggleReport()
{
    if (!m_document->Solved()) UpdateReport();
    if (m_report->isVisible()) {
        m_report->hide();
        return;
    }
    if (!m_reportPlaced) {
        m_report->move(frameGeometry().topRight() + QPoint(kReportGap, 0));
        m_reportPlaced = true;
    }
    m_report->show();
    m_report->raise();
}

void TVantorForm::CopyResult()
{
    Grid().CommitEdit();
    QApplication::clipboard()->setText(ToQString(m_document->HotWaterCoil().CsvText()));
}

void TVantorForm::ShowUnitMenu()
{
    Grid().CommitEdit();
    m_unitMenu->popup(QCursor::pos());
}

void TVantorForm::SetUnitSystem(bool imperial)
{
    if (imperial)
        m_setUnits->Imperial();
    else
        m_setUnits->Metric();
    ApplyUnitSystem();
}

void TVantorForm::ApplyUnitSystem()
{
    m_document->ApplyUnitSystem(m_setUnits->Choices());
    // The editor's duty and finned length follow the units now chosen for those quantities.
    const UnitRec* duty = m_document->Units().Find("hex", "duty");
    const UnitRec* length = m_document->Units().Find("fat", "length");
    if (duty && length) m_fatForm->SetUnitChoices(duty->Units, length->Units);
}

void TVantorForm::CustomiseUnits()
{
    Grid().CommitEdit();
    if (m_setUnits->exec() == QDialog::Accepted) ApplyUnitSystem();
}

void TVantorForm::ShowHelp() { m_helpOpener->OpenInstalled(ToQString(kHelpPage)); }

TPropEditAnswer TVantorForm::EditModel()
{
    TFatForm& editor = *m_fatForm;
    editor.SetTargetCoil(&m_document->Coil());
    // The catalogue may be edited from the coil maker window in maintainer mode only.
    editor.AllowDatabaseEdit = m_maintainer;
    editor.AllowMakerChoice = true;
    editor.SetChooseTubeRange([this](TModelRec& record, bool allowDatabaseEdit, bool allowMakerChoice) {
        m_coilMaker->CurrentRecord() = record;
        m_coilMaker->ShowDatabaseButton(allowDatabaseEdit);
        m_coilMaker->EnableMakerChoice(allowMakerChoice);
        if (m_coilMaker->exec() != QDialog::Accepted) return false;
        record = m_coilMaker->CurrentRecord();
        return true;
    });
    editor.SetEditDesignSettings([this](TCoil& coil) {
        m_coilSettings->SetCoil(coil);
        m_coilSettings->exec();
    });
    m_coilSettings->SetCoil(m_document->HotWaterCoil());
    // A failed solve shows on the status line.
    editor.SetApplyCallback([this](bool) { (void)m_document->ApplyFromEditor(); });
    editor.SetDesignDuty(m_document->DesignDuty());
    editor.SetKeepAirFlow(false);
    // Before the editor rates the coil for its first summary: Cancel puts back exactly this.
    m_document->BeginModelEdit();
    const bool accepted = editor.exec() == QDialog::Accepted;
    editor.SetApplyCallback({});
    if (accepted)
        m_document->AcceptEditorResult();
    else
        m_document->CancelModelEdit();
    return TPropEditAnswer::Cancelled;
}

void TVantorForm::ShowAbout() { m_about->ShowAbout(); }

void TVantorForm::Diagnostics1Click()
{
    Grid().CommitEdit();
    m_viewer->Box().clear();
    m_document->Diagnose(m_viewer->Box());
    m_viewer->exec();
}

void TVantorForm::SetIdealFlows1Click()
{
    Grid().CommitEdit();
    (void)m_document->SetIdealFlows();  // a failed solve shows on the status line, as every solve's
}

void TVantorForm::PlotprocessonAerograph1Click()
{
    Grid().CommitEdit();
    const TResult plotted = vantor::PlotProcess(*m_document, *m_properties);
    if (!plotted && !plotted.Message.empty()) ShowMessageText(ToQString(plotted.Message), true);
}

void TVantorForm::ViewCoilDetailsClick()
{
    m_viewer->Box().clear();
    m_document->WriteManufacturingReport(m_viewer->Box());
    m_viewer->exec();
}

void TVantorForm::Stepbystepsimulation1Click()
{
    Grid().CommitEdit();
    // The march needs a solved coil; a failed solve has said why in the status line.
    if (!m_document->Solved() && !m_document->Solve()) return;
    PrepareStepSimulation(*m_dataChart, m_document->SimulateSteps());
    m_dataChart->exec();
}

void TVantorForm::ShowFileProperties()
{
    Grid().CommitEdit();
    m_filePropertiesForm->SetFileName(DocumentFileName());
    // The properties are part of the data file: changed ones are work to save.
    if (m_filePropertiesForm->exec() == QDialog::Accepted && m_filePropertiesForm->Edit().Changed())
        m_document->FilePropertiesChanged();
}

// ---- Closing ----

bool TVantorForm::SaveOnClose()
{
    TEntryGrid& grid = Grid();
    std::array<int, 3>& widths = m_document->ColumnWidths();
    for (int col = 0; col < static_cast<int>(widths.size()); ++col) widths[static_cast<size_t>(col)] = grid.ColWidth(col);
    TSettingsStore& programKey = *m_programKey;
    TSettingsStore& sharedKey = *m_sharedKey;
    m_document->SaveOnClose(programKey, sharedKey);
    SaveWindowPlacement(programKey, kDocumentSection, PlacementOf(*this));
    TResult written = programKey.Flush();
    if (written) written = sharedKey.Flush();
    if (!written) ShowMessageText(tr("The settings could not be saved: %1").arg(ToQString(written.Message)), true);
    return written.IsOk();
}

void TVantorForm::closeEvent(QCloseEvent* event)
{
    Grid().CommitEdit();
    if (!CanDiscard(TDiscardReason::Closing)) {
        event->ignore();
        return;
    }
    SaveOnClose();
    m_report->close();
    event->accept();
}

// ---- Observer ----

void TVantorForm::StatusTextChanged(TStatusPanel panel, std::string_view text)
{
    // The document gives the file panel the file name without its folder, or the solve's
    // warnings, which may hold a "/" of their own.
    SetStatusText(panel, ToQString(text));
}

void TVantorForm::ShowMessage(std::string_view text, TMessageKind kind) { Prompts().ShowMessage(ToQString(text), kind); }

TAnswer TVantorForm::Ask(std::string_view question) { return Prompts().Ask(ToQString(question)); }

void TVantorForm::RowsChanged() { Grid().RowsChanged(); }

void TVantorForm::ReportReady(const TDocumentReport& report) { m_report->ShowReport(report); }

}  // namespace vantor

#include "gui/air_state/air_state_window.h"

#include "fluids/psx_file.h"
#include "gui/common/page_opener.h"
#include "gui/common/prompts.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/entry_grid.h"
#include "settings/folders.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

namespace vantor {

namespace {

constexpr std::string_view kHelpPage = "Common Files/airstatedlg.htm";
constexpr int kValueCol = 1;

}  // namespace

TAirStateBox::TAirStateBox(TPsyPoint& point, const TAirConDlgSettings& settings, bool editItemName, bool editPressure,
                           bool modal, QWidget* parent)
    : TTechForm(parent),
      m_calc(std::make_unique<TAirStateCalc>(point, settings.RowUnits, editItemName, editPressure)),
      m_helpOpener(new TPageOpener(this)),
      m_modal(modal),
      m_result(QDialog::Rejected)
{
    setObjectName(QStringLiteral("AirStateBox"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    if (modal) setWindowModality(Qt::ApplicationModal);

    TEntryGrid& grid = Grid();
    grid.SetPropertyRows(&m_calc->Rows());
    grid.SetUnitsColumn(2);
    grid.SetOnUnitsClick(TEntryGrid::UnitsPicker);
    grid.CellHighlighted = [this](int col, int row) { return col == kValueCol && m_calc->RowHighlighted(row); };
    grid.RowsChanged();
    connect(&grid, &TEntryGrid::OnDoSetData, this, [this](int col, int row) {
        if (col != kValueCol) return;
        m_calc->EditRow(row);
        Grid().CellsChanged();
        ShowStatus();
    });
    m_calc->OnEditAirconItem = [this] { emit EditAirconItem(); };

    SetUpActions();
    SetSingleStatusPanel(0);
    Realign();
    if (settings.Stored) {
        resize(settings.FormWidth, settings.FormHeight);
        for (int col = 0; col < static_cast<int>(settings.ColWidths.size()); ++col)
            grid.SetColWidth(col, settings.ColWidths[static_cast<size_t>(col)]);
    }
}

TAirStateBox::~TAirStateBox() { Grid().SetPropertyRows(nullptr); }

void TAirStateBox::SetUpActions()
{
    Action(TTechAction::Open).setToolTip(tr("Load air state"));
    Action(TTechAction::Save).setToolTip(tr("Save air state"));
    Action(TTechAction::Copy).setToolTip(tr("Copy db/wb to clipboard"));
    Action(TTechAction::View).setToolTip(tr("Copy table to clipboard"));
    Action(TTechAction::Align).setToolTip(tr("Realign"));
    SetHandler(TTechAction::Open, [this] {
        const QString name = ChooseFile(false, FileFolder());
        if (!name.isEmpty()) LoadFile(name);
    });
    SetHandler(TTechAction::Save, [this] {
        Grid().CommitEdit();
        if (!m_calc->Ready()) {
            (void)m_calc->Save({});  // refused: the status line says why
            ShowStatus();
            return;
        }
        const QString name = ChooseFile(true, m_lastFile.isEmpty() ? FileFolder() : m_lastFile);
        if (!name.isEmpty()) SaveFile(name);
    });
    SetHandler(TTechAction::Copy, [this] { CopyState(); });
    SetHandler(TTechAction::Paste, [this] { PasteState(); });
    SetHandler(TTechAction::View, [this] { CopyTable(); });
    SetHandler(TTechAction::Help, [this] { ShowHelp(); });
    SetHandler(TTechAction::Accept, [this] { AcceptState(); });
    SetHandler(TTechAction::Cancel, [this] { CancelState(); });
    SetHandler(TTechAction::CopyXml, [this] { CopyXml(); });
    SetHandler(TTechAction::Align, [this] { Realign(); });
    for (const TTechAction hidden : {TTechAction::Print, TTechAction::Solve, TTechAction::Reset, TTechAction::About})
        ShowAction(hidden, false);
    ShowAction(TTechAction::Cancel, m_modal);
}

void TAirStateBox::ShowStatus() { SetStatusText(0, ToQString(m_calc->Status())); }

void TAirStateBox::Realign() { Align(); }

void TAirStateBox::Activate()
{
    m_calc->Activate();
    Grid().CellsChanged();
    ShowStatus();
}

void TAirStateBox::Leave()
{
    m_calc->Leave();
    Grid().CellsChanged();
    ShowStatus();
}

void TAirStateBox::showEvent(QShowEvent* event)
{
    TTechForm::showEvent(event);
    Activate();
}

void TAirStateBox::changeEvent(QEvent* event)
{
    // The base class ends an edit in progress first, so that its value counts.
    TTechForm::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible()) {
        if (isActiveWindow())
            Activate();
        else
            Leave();
    }
}

void TAirStateBox::closeEvent(QCloseEvent* event)
{
    Grid().CommitEdit();
    Leave();
    TTechForm::closeEvent(event);
    if (!m_closed) {
        m_closed = true;
        emit Closed(m_result);
    }
}

QString TAirStateBox::FileFolder()
{
    const TDataFolder folder = EnsureDataFolder();
    return folder.Result ? QString::fromStdString(folder.Folder.string()) : QDir::homePath();
}

QString TAirStateBox::FileFilter() { return tr("Moist Air State (*.psx)"); }

QString TAirStateBox::ChooseFile(bool save, const QString& start)
{
    // start is a folder, or the last file, whose folder the dialog opens on.
    const QFileInfo info(start);
    const bool isFile = !info.isDir();
    return Prompts().ChooseFile({save ? TFileAccess::Save : TFileAccess::Open,
                                 save ? tr("Save air state") : tr("Load air state"), FileFilter(),
                                 isFile ? info.absolutePath() : start, isFile ? info.fileName() : QString()});
}

bool TAirStateBox::LoadFile(const QString& fileName)
{
    const double shownP = m_calc->Point().State.P;
    const TResult result = m_calc->Load(fileName.toStdString());
    if (!result) {
        ShowMessageText(ToQString(result.Message), true);
        return false;
    }
    m_lastFile = fileName;
    Grid().CellsChanged();
    ShowStatus();
    if (const std::string warning = BarometerChangeWarning(m_calc->Point().State.P, shownP); !warning.empty())
        Prompts().ShowMessage(ToQString(warning), TMessageKind::Warning);
    return true;
}

bool TAirStateBox::SaveFile(const QString& fileName)
{
    const TResult result = m_calc->Save(fileName.toStdString());
    ShowStatus();
    if (!result) {
        if (m_calc->Ready()) ShowMessageText(ToQString(result.Message), true);
        return false;
    }
    m_lastFile = fileName;
    return true;
}

void TAirStateBox::CopyState()
{
    Grid().CommitEdit();
    QApplication::clipboard()->setText(ToQString(m_calc->CopyText()));
}

void TAirStateBox::PasteState()
{
    Grid().CommitEdit();
    const TResult result = m_calc->Paste(ToStdString(QApplication::clipboard()->text()));
    if (!result) {
        SetStatusText(0, ToQString(result.Message));
        return;
    }
    Grid().CellsChanged();
}

QString TAirStateBox::CopyTable()
{
    Grid().CommitEdit();
    const QString text = ToQString(m_calc->TableText());
    QApplication::clipboard()->setText(text);
    return text;
}

QString TAirStateBox::CopyXml()
{
    Grid().CommitEdit();
    const QString text = ToQString(m_calc->XmlText());
    QApplication::clipboard()->setText(text);
    return text;
}

void TAirStateBox::ShowHelp() { m_helpOpener->OpenInstalled(ToQString(kHelpPage)); }

void TAirStateBox::AcceptState()
{
    Grid().CommitEdit();
    m_result = m_calc->Accept() ? QDialog::Accepted : QDialog::Rejected;
    close();
}

void TAirStateBox::CancelState()
{
    m_result = QDialog::Rejected;
    close();
}

void TAirStateBox::keyPressEvent(QKeyEvent* event)
{
    // A key the grid or its editor used (Escape ending an edit) never arrives here.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_modal) {
        CancelState();
        return;
    }
    TTechForm::keyPressEvent(event);
}

void TAirStateBox::TakeSettings(TAirConDlgSettings& settings) const
{
    settings.FormWidth = width();
    settings.FormHeight = height();
    for (int col = 0; col < static_cast<int>(settings.ColWidths.size()); ++col)
        settings.ColWidths[static_cast<size_t>(col)] = Grid().ColWidth(col);
    const TAirRowUnits units = m_calc->RowUnits();
    for (int row = asrPressure; row <= asrSpecificHeat; ++row)
        settings.RowUnits[static_cast<size_t>(row)] = units[static_cast<size_t>(row)];
    settings.Stored = true;
}

}  // namespace vantor

#include "gui/locations/location_picker_window.h"

#include "gui/locations/barometer_placement.h"
#include "gui/common/form_placement.h"
#include "gui/common/prompts.h"
#include "gui/common/qt_text.h"
#include "locations/barometer.h"
#include "locations/location_texts.h"
#include "settings/settings_store.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vantor {

namespace {

constexpr std::string_view kFormName = "SelectLocationForm";
constexpr int kCaptionColumnWidth = 100;

QListWidget* MakeList(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

// A status panel at least `width` wide; a longer text widens it.
class TPanelLabel : public QLabel {
public:
    TPanelLabel(QWidget* parent, int width) : QLabel(parent), m_width(width) {}

    QSize sizeHint() const override { return QLabel::sizeHint().expandedTo(QSize(m_width, 0)); }
    QSize minimumSizeHint() const override { return QLabel::minimumSizeHint().expandedTo(QSize(m_width, 0)); }

private:
    int m_width;
};

QLabel* MakePanel(QStatusBar* status, int width)
{
    auto* panel = new TPanelLabel(status, width);
    status->addPermanentWidget(panel, width > 0 ? 0 : 1);
    return panel;
}

// The longest name shows whole beside the scroll bar, with the margins an item keeps.
void FitListWidth(QListWidget& list)
{
    int widest = 0;
    for (int row = 0; row < list.count(); ++row)
        widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.item(row)->text()));
    const int margins = 2 * (list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1);
    const int scrollBar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list.verticalScrollBar());
    list.setMinimumWidth(widest + margins + 2 * list.frameWidth() + scrollBar);
}

void FillList(QListWidget& list, const std::vector<std::string>& names, const std::string& selected)
{
    const QSignalBlocker blocker(&list);
    list.clear();
    for (const std::string& name : names) {
        list.addItem(ToQString(name));
        if (name == selected) list.setCurrentRow(list.count() - 1);
    }
    FitListWidth(list);
}

}  // namespace

TSelectLocationForm::TSelectLocationForm(QWidget* parent)
    : QDialog(parent),
      m_databases(MakeList(this)),
      m_regions(MakeList(this)),
      m_places(MakeList(this)),
      m_grid(new QTableWidget(10, 2, this)),
      m_accept(nullptr),
      m_status(new QStatusBar(this)),
      m_prompts(std::make_shared<TDialogPrompts>(this))
{
    setObjectName(ToQString(kFormName));
    setWindowTitle(tr("Select Location"));

    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->setMinimumWidth(260);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);

    auto* buttons = new QDialogButtonBox(this);
    m_accept = buttons->addButton(tr("&Accept"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(tr("Database"), this), 0, 0);
    lists->addWidget(m_databases, 1, 0);
    lists->addWidget(new QLabel(tr("Region"), this), 2, 0);
    lists->addWidget(m_regions, 3, 0);
    lists->addWidget(new QLabel(tr("Place"), this), 0, 1);
    lists->addWidget(m_places, 1, 1, 3, 1);
    lists->addWidget(new QLabel(tr("Details"), this), 0, 2);
    lists->addWidget(m_grid, 1, 2, 3, 1);
    lists->setRowStretch(1, 2);
    lists->setRowStretch(3, 3);
    lists->setColumnStretch(2, 1);

    m_recordPanel = MakePanel(m_status, 110);
    m_placePanel = MakePanel(m_status, 200);
    m_notePanel = MakePanel(m_status, 0);
    m_status->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(buttons);
    layout->addWidget(m_status);
    resize(720, 400);

    connect(m_databases, &QListWidget::currentRowChanged, this, &TSelectLocationForm::DatabaseChosen);
    connect(m_regions, &QListWidget::currentRowChanged, this, &TSelectLocationForm::RegionChosen);
    connect(m_places, &QListWidget::currentRowChanged, this, &TSelectLocationForm::PlaceChosen);
    connect(m_places, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    const TSettingsStore programKey(TSettingsKey::Program);
    const TLocationChoice choice = TLocationChoice::Read(programKey);
    m_picker.SetChoice(choice.Database, choice.Region, choice.Place);
    RestoreProgramPosition(*this, kFormName);
}

void TSelectLocationForm::PresetPlace(const std::string& placeText)
{
    if (placeText.empty()) return;
    m_picker.SetChoice(m_picker.Database(), RegionOfPlaceText(placeText), PlaceOfPlaceText(placeText));
}

QString TSelectLocationForm::RecordPanel() const { return m_recordPanel->text(); }
QString TSelectLocationForm::PlacePanel() const { return m_placePanel->text(); }
QString TSelectLocationForm::NotePanel() const { return m_notePanel->text(); }

void TSelectLocationForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Activate();
}

void TSelectLocationForm::Activate()
{
    const TLocationsFolder folder = LocationsFolder();
    m_picker.SetFolder(folder.Folder);
    m_notePanel->setText(folder.Shipped ? ToQString(kTypicalValuesNote) : QString());
    m_notePanel->setToolTip(m_notePanel->text());
    const TResult activated = m_picker.Activate();
    ShowLists();
    Report(activated);
}

void TSelectLocationForm::ShowLists()
{
    FillList(*m_databases, m_picker.Databases(), m_picker.Database());
    FillList(*m_regions, m_picker.Regions(), m_picker.Region());
    ShowPlaces();
}

void TSelectLocationForm::ShowPlaces()
{
    {
        const QSignalBlocker blocker(m_places);
        m_places->clear();
        for (const TPlaceEntry& entry : m_picker.Places()) m_places->addItem(ToQString(entry.Name));
        m_places->setCurrentRow(m_picker.PlaceIndex());
    }
    FitListWidth(*m_places);
    ShowPlace();
}

void TSelectLocationForm::ShowPlace()
{
    const std::vector<std::pair<std::string, std::string>> rows = m_picker.Rows();
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const bool shown = row < static_cast<int>(rows.size());
        const auto& [caption, value] = shown ? rows[static_cast<std::size_t>(row)] : std::pair<std::string, std::string>{};
        m_grid->setItem(row, 0, new QTableWidgetItem(ToQString(caption)));
        m_grid->setItem(row, 1, new QTableWidgetItem(ToQString(value)));
    }
    m_recordPanel->setText(ToQString(m_picker.RecordStatus()));
    m_placePanel->setText(ToQString(m_picker.PlaceText()));
    m_placePanel->setToolTip(m_placePanel->text());
    m_accept->setEnabled(m_picker.HasRecord());
}

void TSelectLocationForm::DatabaseChosen()
{
    const QListWidgetItem* item = m_databases->currentItem();
    if (!item) return;
    const TResult opened = m_picker.ChooseDatabase(ToStdString(item->text()));
    if (opened) {
        FillList(*m_regions, m_picker.Regions(), m_picker.Region());
        ShowPlaces();
    } else {
        ShowPlace();  // the lists stay; the closed file shows no place
    }
    Report(opened);
}

void TSelectLocationForm::RegionChosen()
{
    const QListWidgetItem* item = m_regions->currentItem();
    if (!item) return;
    const TResult filled = m_picker.ChooseRegion(ToStdString(item->text()));
    ShowPlaces();
    Report(filled);
}

void TSelectLocationForm::PlaceChosen()
{
    const TResult read = m_picker.ChoosePlace(m_places->currentRow());
    ShowPlace();
    Report(read);
}

void TSelectLocationForm::Report(const TResult& result)
{
    if (!result) m_prompts->ShowMessage(ToQString(result.Message), TMessageKind::Warning);
    const std::string notice = m_picker.TakeNotice();
    if (!notice.empty()) m_prompts->ShowMessage(ToQString(notice), TMessageKind::Warning);
}

void TSelectLocationForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FitGridColumns();
}

void TSelectLocationForm::FitGridColumns()
{
    // The captions' column widens for a caption longer than its own width (a larger font).
    m_grid->resizeColumnToContents(0);
    const int captions = std::max(kCaptionColumnWidth, m_grid->columnWidth(0));
    m_grid->setColumnWidth(0, captions);
    m_grid->setColumnWidth(1, std::max(0, m_grid->width() - (captions + 4)));
}

void TSelectLocationForm::done(int result)
{
    TSettingsStore programKey(TSettingsKey::Program);
    TLocationChoice{m_picker.Database(), m_picker.Region(), m_picker.Place()}.Write(programKey);
    SaveWindowPlacement(programKey, kFormName, PlacementOf(*this));
    KeepWindowSettings(programKey);
    // The chosen place stays readable for the caller; the file and the list are let go when
    // the window opens again.
    QDialog::done(result);
}

}  // namespace vantor

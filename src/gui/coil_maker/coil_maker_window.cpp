#include "gui/coil_maker/coil_maker_window.h"

#include "geometry/coil_makers.h"
#include "gui/ini_editor/ini_editor_window.h"
#include "gui/common/form_placement.h"
#include "gui/common/prompts.h"
#include "gui/common/qt_text.h"
#include "settings/settings_store.h"
#include "settings/window_placement.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vantor {

namespace {

constexpr std::string_view kSection = "CoilMakerForm";
constexpr int kDefaultColumnWidth = 56;  // the columns without a width of their own

}  // namespace

TCoilMakerForm::TCoilMakerForm(TCoilMakers& catalogue, TIniEditorForm& editor, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_catalogue(catalogue),
      m_editor(editor),
      m_choice(catalogue),
      m_makers(new QComboBox(this)),
      m_editButton(new QToolButton(this)),
      m_ranges(new QTreeWidget(this)),
      m_current(new QLabel(tr("Tube"), this))
{
    setObjectName(ToQString(kSection));
    setWindowTitle(tr("Coil Maker"));
    setSizeGripEnabled(true);
    m_prompts = std::make_shared<TDialogPrompts>(this);

    auto* makerLabel = new QLabel(tr("Manufacturer"), this);
    makerLabel->setBuddy(m_makers);
    m_makers->setEditable(false);
    m_makers->setMinimumContentsLength(24);
    m_editButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_editButton->setToolTip(tr("Edit Coil Database"));
    m_editButton->setAutoRaise(true);

    QStringList captions;
    for (const TCoilMakerColumn& column : kCoilMakerColumns) captions << ToQString(column.Caption);
    m_ranges->setHeaderLabels(captions);
    m_ranges->setRootIsDecorated(false);
    m_ranges->setUniformRowHeights(true);
    m_ranges->setAllColumnsShowFocus(true);
    m_ranges->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ranges->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ranges->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ranges->setAlternatingRowColors(true);
    // Grid lines between the cells; the selected row keeps the highlight colours whether or
    // not the list has the focus.
    m_ranges->setStyleSheet(QStringLiteral(
        "QTreeWidget::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }"
        "QTreeWidget::item:selected { background: palette(highlight); color: palette(highlighted-text); }"));
    for (int col = 0; col < static_cast<int>(kCoilMakerColumns.size()); ++col) {
        const int width = kCoilMakerColumns[static_cast<size_t>(col)].Width;
        m_ranges->setColumnWidth(col, width > 0 ? width : kDefaultColumnWidth);
    }

    auto* accept = new QPushButton(tr("&Accept"), this);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    accept->setDefault(true);
    auto* currentCaption = new QLabel(tr("Current:"), this);
    for (QLabel* grey : {currentCaption, m_current}) grey->setStyleSheet(QStringLiteral("color: gray;"));
    m_current->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addWidget(makerLabel);
    top->addWidget(m_makers, 1);
    top->addWidget(m_editButton);
    top->addStretch();
    top->addWidget(accept);
    top->addWidget(cancel);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(currentCaption);
    bottom->addWidget(m_current, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_ranges, 1);
    layout->addLayout(bottom);

    connect(m_makers, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling) ChooseMaker(index);
    });
    connect(m_ranges, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_choice.SelectedRow() >= 0) AcceptAction();
    });
    connect(m_ranges, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_filling) m_choice.SelectRow(item ? m_ranges->indexOfTopLevelItem(item) : -1);
    });
    connect(accept, &QPushButton::clicked, this, &TCoilMakerForm::AcceptAction);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_editButton, &QToolButton::clicked, this, &TCoilMakerForm::EditDatabase);

    // Wide enough for all twelve columns in the desktop font.
    resize(790, 234);
    const TSettingsStore executableIni(ExecutableIniFile());
    ApplyPlacement(*this, RestoreIniWindowPlacement(executableIni, kSection, PlacementOf(*this), ScreenSizeOf(*this)));
    ShowDatabaseButton(false);
    EnableMakerChoice(false);
}

TCoilMakerForm::~TCoilMakerForm() = default;

void TCoilMakerForm::ShowDatabaseButton(bool show) { m_editButton->setVisible(show); }

bool TCoilMakerForm::DatabaseButtonShown() const { return !m_editButton->isHidden(); }

void TCoilMakerForm::EnableMakerChoice(bool enable) { m_makers->setEnabled(enable); }

void TCoilMakerForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TCoilMakerForm::FormActivate()
{
    FillMakers();
    SelectCurrentRange();
    m_ranges->setFocus();
    m_current->setText(CurrentRangeText());
    ReportCatalogueProblem(false);
}

void TCoilMakerForm::FillMakers()
{
    m_choice.FillMakers();
    m_filling = true;
    m_makers->clear();
    for (const std::string& name : m_choice.MakerNames()) m_makers->addItem(ToQString(name));
    m_makers->setCurrentIndex(m_choice.MakerIndex());
    m_filling = false;
    ShowRanges();
}

void TCoilMakerForm::ChooseMaker(int index)
{
    m_choice.ChooseMaker(index);
    ShowRanges();
}

void TCoilMakerForm::ShowRanges()
{
    m_filling = true;
    m_ranges->clear();
    for (const TCoilMakerRow& row : m_choice.Rows()) {
        QStringList texts;
        for (const std::string& text : row) texts << ToQString(text);
        m_ranges->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    if (m_choice.SelectedRow() >= 0) m_ranges->setCurrentItem(m_ranges->topLevelItem(m_choice.SelectedRow()));
    m_filling = false;
    FitColumns();
    if (m_choice.SelectedRow() >= 0) m_ranges->setFocus();
}

void TCoilMakerForm::FitColumns()
{
    // The columns' own widths suit the desktop font; a longer range name or a larger font
    // widens them. The last column stretches over the rest of the list.
    const int cols = m_ranges->columnCount();
    int width = 2 * m_ranges->frameWidth() + m_ranges->verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < cols; ++col) {
        const int own = m_ranges->columnWidth(col);
        m_ranges->resizeColumnToContents(col);
        const int fitted = m_ranges->columnWidth(col);
        if (col + 1 < cols) m_ranges->setColumnWidth(col, std::max(own, fitted));
        width += col + 1 < cols ? m_ranges->columnWidth(col) : fitted;
    }
    const int grow = width - m_ranges->width();
    if (grow <= 0) return;
    const QScreen* shownOn = screen();
    const int frame = frameGeometry().width() - this->width();
    const int room = shownOn ? shownOn->availableGeometry().width() - frame : this->width() + grow;
    resize(std::min(this->width() + grow, room), height());
}

void TCoilMakerForm::SelectCurrentRange()
{
    m_choice.SelectCurrentRange();
    if (const int row = m_choice.SelectedRow(); row >= 0) {
        m_filling = true;
        m_ranges->setCurrentItem(m_ranges->topLevelItem(row));
        m_filling = false;
        m_ranges->scrollToItem(m_ranges->topLevelItem(row));
    }
}

void TCoilMakerForm::AcceptAction()
{
    m_choice.Accept();
    accept();
}

QString TCoilMakerForm::CurrentRangeText() const { return ToQString(m_choice.CurrentRangeText()); }

void TCoilMakerForm::EditDatabase()
{
    m_editor.SetFileName(ToQString(m_catalogue.CataloguePath().string()));
    m_editor.LoadText();
    m_editor.exec();
    // The file may have changed: read it again, whichever maker was cached.
    m_catalogue.ForgetCachedMaker();
    FillMakers();
    SelectCurrentRange();
    m_ranges->setFocus();
    ReportCatalogueProblem(true);
}

void TCoilMakerForm::ReportCatalogueProblem(bool always)
{
    const std::optional<std::string> problem = m_catalogue.UserCatalogueProblem();
    if (!problem) {
        m_reportedProblem.clear();
        return;
    }
    const QString message = ToQString(*problem) + tr("\nThe installed catalogue is used until it is mended.");
    // Once per fault at each showing, but after every edit that leaves it.
    if (!always && message == m_reportedProblem) return;
    m_reportedProblem = message;
    m_prompts->ShowMessage(message, TMessageKind::Warning);
}

void TCoilMakerForm::done(int result)
{
    TSettingsStore executableIni(ExecutableIniFile());
    SaveIniWindowPlacement(executableIni, kSection, PlacementOf(*this));
    KeepWindowSettings(executableIni);
    QDialog::done(result);
}

}  // namespace vantor

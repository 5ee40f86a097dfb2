#include "gui/units/units_window.h"

#include "gui/common/form_placement.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/entry_grid.h"
#include "settings/settings_store.h"
#include "text/format.h"
#include "units/unit_tables.h"

#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace vantor {

namespace {

constexpr QSize kClientSize{308, 228};
constexpr int kNameColWidth = 164;
constexpr int kUnitsColWidth = 100;
constexpr int kColumns = 2;

bool IsListed(TUnitsType type) { return type != utNone && type != utEnergyPerVol; }

std::string ColWidthKey(int col) { return "ColWidth " + std::to_string(col); }

// "From °C to °F  X 1.8 + 32": how a value in the type's unit 0 becomes one in the unit.
QString ConversionText(TUnitsType type, int unit)
{
    const auto info = UnitInfo(type, unit, 0);
    if (!info) return {};
    std::string pattern = "From %S to %S  X " + info->Format;
    if (info->Offset != 0) pattern += " + %0.4g";
    return ToQString(Format(pattern, {UnitLabel(type, 0), info->Label, info->Factor, info->Offset}));
}

}  // namespace

TSetUnitsForm::TSetUnitsForm(QWidget* parent)
    : QDialog(parent), m_grid(new TEntryGrid(this)), m_status(new QStatusBar(this))
{
    setObjectName(ToQString(kUnitChoicesSection));
    setWindowTitle(tr("Customise Units"));
    auto* toolBar = new QToolBar(this);
    toolBar->addAction(tr("&Metric"), this, &TSetUnitsForm::Metric)->setObjectName(QStringLiteral("MetricAction"));
    toolBar->addAction(tr("&Imperial"), this, &TSetUnitsForm::Imperial)->setObjectName(QStringLiteral("ImperialAction"));
    toolBar->addAction(tr("&Accept"), this, &TSetUnitsForm::accept)->setObjectName(QStringLiteral("AcceptAction"));
    toolBar->addAction(tr("&Cancel"), this, &TSetUnitsForm::reject)->setObjectName(QStringLiteral("CancelAction"));
    m_status->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_grid);
    layout->addWidget(m_status);
    resize(kClientSize);

    BuildRows();
    connect(m_grid, &TEntryGrid::OnSelectCell, this, [this](int col, int row) {
        if (col != 0) ShowConversion(row);
    });
    connect(m_grid, &TEntryGrid::OnDoSetData, this, [this](int, int row) { ShowConversion(row); });
    Metric();
    LoadSettings();
}

TSetUnitsForm::~TSetUnitsForm() { SaveSettings(); }

void TSetUnitsForm::BuildRows()
{
    std::vector<std::string> lines{"Property; Units"};
    for (int ordinal = 0; ordinal < kUnitsTypeCount; ++ordinal) {
        const auto type = static_cast<TUnitsType>(ordinal);
        if (!IsListed(type)) continue;
        lines.push_back(UnitTypeName(type) + "; enum;;");
        m_rowTypes.push_back(type);
    }
    m_grid->SetRows(lines);
    for (size_t i = 0; i < m_rowTypes.size(); ++i)
        m_grid->SetEnumStrings(static_cast<int>(i) + 1, UnitLabels(m_rowTypes[i]));
    m_grid->SetColWidth(0, kNameColWidth);
    m_grid->SetColWidth(1, kUnitsColWidth);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

TUnitsType TSetUnitsForm::RowType(int row) const
{
    return row >= 1 && row <= static_cast<int>(m_rowTypes.size()) ? m_rowTypes[static_cast<size_t>(row) - 1] : utNone;
}

QString TSetUnitsForm::StatusText() const { return m_status->currentMessage(); }

void TSetUnitsForm::ShowChoices()
{
    for (size_t i = 0; i < m_rowTypes.size(); ++i)
        m_grid->SetValue(1, static_cast<int>(i) + 1, static_cast<long long>(m_choices.UnitChoice(m_rowTypes[i])));
}

void TSetUnitsForm::ShowConversion(int row)
{
    const TUnitsType type = RowType(row);
    if (type == utNone) return;
    m_status->showMessage(ConversionText(type, m_grid->EnumIndex(row)));
}

void TSetUnitsForm::Metric()
{
    m_choices.Metric();
    ShowChoices();
}

void TSetUnitsForm::Imperial()
{
    m_choices.Imperial();
    ShowChoices();
}

void TSetUnitsForm::ApplyUnitChoices(TEntryGrid& grid) const
{
    m_choices.ApplyUnitChoices(grid.Rows());
    grid.RowsChanged();
}

void TSetUnitsForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_backup = m_choices;
    ShowChoices();
}

void TSetUnitsForm::accept()
{
    m_grid->CommitEdit();
    for (size_t i = 0; i < m_rowTypes.size(); ++i)
        m_choices.SetUnitChoice(m_rowTypes[i], m_grid->EnumIndex(static_cast<int>(i) + 1));
    QDialog::accept();
}

void TSetUnitsForm::reject()
{
    m_choices = m_backup;
    ShowChoices();
    QDialog::reject();
}

void TSetUnitsForm::LoadSettings()
{
    const TSettingsStore sharedKey(TSettingsKey::Shared);
    RestoreSharedPlacement(*this, sharedKey, kUnitChoicesSection);
    for (int col = 0; col < kColumns; ++col)
        m_grid->SetColWidth(col, sharedKey.ReadInteger(kUnitChoicesSection, ColWidthKey(col), m_grid->ColWidth(col)));
    m_choices.Load(sharedKey);
    m_backup = m_choices;
    ShowChoices();
}

void TSetUnitsForm::SaveSettings() const
{
    TSettingsStore sharedKey(TSettingsKey::Shared);
    SaveSharedPlacement(*this, sharedKey, kUnitChoicesSection);
    for (int col = 0; col < kColumns; ++col)
        sharedKey.WriteInteger(kUnitChoicesSection, ColWidthKey(col), m_grid->ColWidth(col));
    m_choices.Save(sharedKey);
    KeepWindowSettings(sharedKey);  // at the end of the run there is nobody left to tell
}

}  // namespace vantor

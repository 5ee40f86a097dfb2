#include "gui/heating_fluid/fluid_window.h"

#include "gui/common/form_placement.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/entry_grid.h"
#include "settings/settings_store.h"
#include "settings/window_placement.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace vantor {

namespace {

TFluidSpecSettings StoredSettings()
{
    TFluidSpecSettings settings;
    settings.Read(TSettingsStore(TSettingsKey::Program));
    return settings;
}

}  // namespace

TFluidSpecForm::TFluidSpecForm(QWidget* parent)
    : QDialog(parent), m_rules(StoredSettings().RowUnits), m_grid(new TEntryGrid(this)), m_range(new QLabel(this))
{
    setObjectName(ToQString(kFluidSpecSection));
    setWindowTitle(tr("Heating Fluid"));
    setMinimumSize(300, 300);
    setMaximumSize(400, 500);

    auto* accept = new QPushButton(tr("Accept"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    accept->setObjectName(QStringLiteral("Accept"));
    cancel->setObjectName(QStringLiteral("Cancel"));
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(accept);
    buttons->addWidget(cancel);
    buttons->addStretch();

    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->SetPropertyRows(&m_rules.Rows());
    m_grid->SetUnitsColumn(2);
    m_grid->SetOnUnitsClick(TEntryGrid::UnitsPicker);
    m_grid->RowsChanged();
    const TFluidSpecSettings settings = StoredSettings();
    for (int col = 0; col < static_cast<int>(settings.ColWidths.size()); ++col)
        m_grid->SetColWidth(col, settings.ColWidths[static_cast<size_t>(col)]);
    connect(m_grid, &TEntryGrid::OnDoSetData, this, [this](int col, int row) {
        if (col != 1) return;
        m_rules.EditRow(row);
        m_grid->RowsChanged();
        ShowRange();
        FitToRows();
    });

    m_range->setObjectName(QStringLiteral("Status"));
    m_range->setText(tr("Status..."));
    m_range->setFrameShape(QFrame::StyledPanel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_range);

    resize(330, 360);
    ApplyPlacement(*this, RestoreWindowPlacement(TSettingsStore(TSettingsKey::Program), kFluidSpecSection,
                                                 PlacementOf(*this), ScreenSizeOf(*this), false, true));
}

TFluidSpecForm::~TFluidSpecForm() { m_grid->SetPropertyRows(nullptr); }

const QColor& TFluidSpecForm::InRangeColour()
{
    static const QColor teal(0, 128, 128);
    return teal;
}

const QColor& TFluidSpecForm::OutOfRangeColour()
{
    static const QColor darkRed(128, 0, 0);
    return darkRed;
}

void TFluidSpecForm::Place(int x, int y)
{
    const QScreen* screen = this->screen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        x = std::max(area.left(), std::min(x, area.right() - frameGeometry().width()));
        y = std::max(area.top(), std::min(y, area.bottom() - frameGeometry().height()));
    }
    move(x, y);
}

void TFluidSpecForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_rules.Activate();
    m_grid->RowsChanged();
    ShowRange();
    FitToRows();
}

void TFluidSpecForm::FitToRows()
{
    // Stored or default widths narrower than the texts (a larger font since) give way to them.
    const int cols = m_grid->Rows().ColCount();
    int width = 2 * m_grid->frameWidth();
    for (int col = 0; col < cols; ++col) {
        const int fitted = m_grid->FittedColWidth(col);
        // The last column stretches over the rest of the grid; it needs only its texts.
        if (col + 1 < cols) m_grid->SetColWidth(col, std::max(m_grid->ColWidth(col), fitted));
        width += col + 1 < cols ? m_grid->ColWidth(col) : fitted;
    }
    int height = 2 * m_grid->frameWidth() + m_grid->horizontalHeader()->height();
    for (int row = 0; row < m_grid->model()->rowCount(); ++row) height += m_grid->rowHeight(row);
    // The window grows by what the grid lacks to show every row and column whole.
    const QSize grow(std::max(0, width - m_grid->width()), std::max(0, height - m_grid->height()));
    if (grow.isNull()) return;
    const QSize fitted = size() + grow;
    setMaximumSize(maximumSize().expandedTo(fitted));
    resize(fitted);
}

void TFluidSpecForm::ShowRange()
{
    if (!m_rules.Liquid()) return;
    m_range->setText(ToQString(m_rules.RangeText()));
    QPalette palette = m_range->palette();
    palette.setColor(QPalette::WindowText, m_rules.OutOfRange() ? OutOfRangeColour() : InRangeColour());
    m_range->setPalette(palette);
}

void TFluidSpecForm::reject()
{
    m_grid->CancelEdit();
    m_rules.Cancel();
    QDialog::reject();
}

void TFluidSpecForm::done(int result)
{
    if (result == QDialog::Accepted) m_grid->CommitEdit();
    SaveSettings();
    QDialog::done(result);
}

void TFluidSpecForm::SaveSettings() const
{
    TSettingsStore programKey(TSettingsKey::Program);
    TFluidSpecSettings settings;
    for (int col = 0; col < static_cast<int>(settings.ColWidths.size()); ++col)
        settings.ColWidths[static_cast<size_t>(col)] = m_grid->ColWidth(col);
    settings.RowUnits = m_rules.RowUnits();
    settings.Write(programKey);
    SaveWindowPlacement(programKey, kFluidSpecSection, PlacementOf(*this));
    KeepWindowSettings(programKey);
}

}  // namespace vantor

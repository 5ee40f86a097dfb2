#include "gui/design_settings/design_settings_window.h"

#include "gui/common/form_placement.h"
#include "gui/common/page_opener.h"
#include "gui/common/prompts.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/fmt_edit.h"
#include "gui/widgets/fmt_edit_label.h"
#include "model/coil.h"
#include "psychro/standard_atmosphere.h"
#include "settings/folders.h"
#include "settings/settings_store.h"
#include "settings/window_placement.h"
#include "rows/variant.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vantor {

namespace {

// A formatted edit in stored units, with its unit label when it has one.
TFmtEdit* MakeEdit(QWidget* parent, const char* format, TUnitsType units, double lo, double hi)
{
    auto* edit = new TFmtEdit(parent);
    edit->SetFormatStr(QString::fromLatin1(format));
    edit->SetUnitsType(units);
    edit->SetRange(lo, hi);
    return edit;
}

void AddRow(QFormLayout* form, const QString& caption, TFmtEdit* edit, const QString& unit, bool unitLabel)
{
    auto* row = new QHBoxLayout;
    edit->setFixedWidth(96);
    row->addWidget(edit);
    if (unitLabel) {
        auto* label = new TFmtEditLabel(edit->parentWidget());
        edit->SetUnitsLabel(label);
        row->addWidget(label);
    } else if (!unit.isEmpty()) {
        row->addWidget(new QLabel(unit, edit->parentWidget()));
    }
    row->addStretch();
    form->addRow(caption, row);
}

std::optional<double> NumberOf(const TVariant& value)
{
    if (const auto* real = std::get_if<double>(&value)) return *real;
    if (const auto* whole = std::get_if<long long>(&value)) return static_cast<double>(*whole);
    return std::nullopt;
}

}  // namespace

TCoilSettingsForm::TCoilSettingsForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint),
      m_pages(new QTabWidget(this)),
      m_helpOpener(new TPageOpener(this)),
      m_prompts(std::make_shared<TDialogPrompts>(this))
{
    setObjectName(ToQString(kDesignSettingsSection));
    setWindowTitle(tr("Design Settings"));

    auto* autoSize = new QWidget(m_pages);
    m_aspect = MakeEdit(autoSize, "%0.1f", utNone, 0.2, 5.0);
    m_vf = MakeEdit(autoSize, "%0.2f", utVelocity, 0.2, 5.0);
    auto* autoForm = new QFormLayout(autoSize);
    AddRow(autoForm, tr("Aspect Ratio"), m_aspect, tr("L/H"), false);
    AddRow(autoForm, tr("Face Velocity"), m_vf, {}, true);

    auto* typical = new QWidget(m_pages);
    m_airOn = MakeEdit(typical, "%0.1f/%0.1f", utTemperature, 0, 0);
    m_fluidIn = MakeEdit(typical, "%0.1f", utTemperature, 0, 0);
    m_rows = MakeEdit(typical, "%0.1f", utNone, 3.0, 6.0);
    m_fins = MakeEdit(typical, "%0.4f", utFinDensity, 8.0, 12.0);
    auto* typicalForm = new QFormLayout(typical);
    AddRow(typicalForm, tr("Inlet Air Temp"), m_airOn, {}, true);
    AddRow(typicalForm, tr("Inlet Fluid Temp"), m_fluidIn, {}, true);
    AddRow(typicalForm, tr("Rows Deep"), m_rows, {}, false);
    AddRow(typicalForm, tr("Fin Density"), m_fins, {}, true);

    auto* circuits = new QWidget(m_pages);
    auto* moreInfo = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(tr("More Information...")), circuits);
    connect(moreInfo, &QLabel::linkActivated, this, &TCoilSettingsForm::Label5Click);
    auto* circuitsLayout = new QVBoxLayout(circuits);
    circuitsLayout->addWidget(moreInfo);
    circuitsLayout->addStretch();

    auto* factors = new QWidget(m_pages);
    m_useFouling = new QCheckBox(tr("Include fouling factors"), factors);
    m_useFouling->setChecked(true);
    auto* factorsLayout = new QVBoxLayout(factors);
    factorsLayout->addWidget(m_useFouling);
    factorsLayout->addStretch();

    m_pages->addTab(autoSize, tr("Auto Size"));
    m_pages->addTab(typical, tr("Typical"));
    m_pages->addTab(circuits, tr("Circuits"));
    m_pages->addTab(factors, tr("Factors"));
    m_pages->setCurrentIndex(0);
    // Every page's tab in sight: the window is sized to them.
    m_pages->setUsesScrollButtons(false);
    m_pages->tabBar()->setElideMode(Qt::ElideNone);

    auto* reset = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(tr("Restore Defaults")), this);
    connect(reset, &QLabel::linkActivated, this, &TCoilSettingsForm::ResetAutoClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reset);
    layout->addWidget(m_pages, 1);

    connect(m_aspect, &QLineEdit::editingFinished, this,
            [this] { NumberEditExit(*m_aspect, m_settings.Aspect, LimitDesignAspect); });
    connect(m_vf, &QLineEdit::editingFinished, this, [this] { NumberEditExit(*m_vf, m_settings.Vf, LimitDesignVf); });
    connect(m_rows, &QLineEdit::editingFinished, this,
            [this] { NumberEditExit(*m_rows, m_settings.Rows, LimitDesignRows); });
    connect(m_fins, &QLineEdit::editingFinished, this,
            [this] { NumberEditExit(*m_fins, m_settings.Fins, LimitDesignFins); });
    connect(m_fluidIn, &QLineEdit::editingFinished, this,
            [this] { NumberEditExit(*m_fluidIn, m_settings.FluidIn, LimitDesignFluidIn); });
    connect(m_airOn, &QLineEdit::editingFinished, this, &TCoilSettingsForm::AirOnEditExit);
    connect(m_useFouling, &QCheckBox::toggled, this, [this](bool checked) { m_settings.UseFouling = checked; });

    // Enter and the arrow keys move between the edits: the window sees them first.
    for (QWidget* control : std::initializer_list<QWidget*>{m_aspect, m_vf, m_airOn, m_fluidIn, m_rows, m_fins, m_pages})
        control->installEventFilter(this);
    setFixedSize(sizeHint().expandedTo(QSize(236, 237)));
}

TCoilSettingsForm::~TCoilSettingsForm() = default;

void TCoilSettingsForm::SetCoil(TCoil& coil)
{
    m_coil = &coil;
    LoadDesignSettings();
    ApplyToCoil();
}

void TCoilSettingsForm::LoadDesignSettings()
{
    const TSettingsStore programKey(TSettingsKey::Program);
    ApplyPlacement(*this, RestoreWindowPlacement(programKey, kDesignSettingsSection, PlacementOf(*this),
                                                 ScreenSizeOf(*this), false, false));
    if (!m_coil) return;
    m_settings = vantor::LoadDesignSettings(programKey, *m_coil);
    ShowSettings();
}

void TCoilSettingsForm::SaveDesignSettings()
{
    TSettingsStore programKey(TSettingsKey::Program);
    SaveWindowPlacement(programKey, kDesignSettingsSection, PlacementOf(*this));
    vantor::SaveDesignSettings(programKey, m_settings);
    if (const TResult flushed = programKey.Flush(); !flushed)
        m_prompts->ShowMessage(ToQString(flushed.Message), TMessageKind::Warning);
}

void TCoilSettingsForm::ApplyToCoil()
{
    if (m_coil) ApplyDesignSettings(m_settings, *m_coil);
}

void TCoilSettingsForm::ShowSettings()
{
    m_aspect->SetValue(m_settings.Aspect);
    m_vf->SetValue(m_settings.Vf);
    m_airOn->SetValue(TVariant(m_settings.AirOn));
    m_fluidIn->SetValue(m_settings.FluidIn);
    m_rows->SetValue(m_settings.Rows);
    m_fins->SetValue(m_settings.Fins);
    const QSignalBlocker quiet(m_useFouling);
    m_useFouling->setChecked(m_settings.UseFouling);
}

void TCoilSettingsForm::ResetAutoClick()
{
    if (!m_coil) return;
    m_settings = DefaultDesignSettings(*m_coil);
    ShowSettings();
}

void TCoilSettingsForm::NumberEditExit(TFmtEdit& edit, double& value, double (*limit)(double))
{
    if (const std::optional<double> typed = NumberOf(edit.Value())) {
        value = limit(*typed);
    } else {
        QApplication::beep();
    }
    edit.SetValue(value);
}

void TCoilSettingsForm::AirOnEditExit()
{
    const TVariant typed = m_airOn->Value();
    const std::string text = std::holds_alternative<std::string>(typed) ? std::get<std::string>(typed)
                                                                       : ToStdString(m_airOn->text());
    const double barometer = m_coil ? m_coil->Barometer() : kStandardAtmosphere;
    if (!NormalizeDesignAirOn(text, barometer, m_settings.AirOn)) QApplication::beep();
    m_airOn->SetValue(TVariant(m_settings.AirOn));
}

void TCoilSettingsForm::TakeAllEdits()
{
    // An edit still being typed in when the window closes counts as left.
    for (TFmtEdit* edit : {m_aspect, m_vf, m_airOn, m_fluidIn, m_rows, m_fins})
        if (edit->isModified()) emit edit->editingFinished();
}

void TCoilSettingsForm::Label5Click()
{
    // The help page, whatever the case of its name on this file system.
    m_helpOpener->OpenInstalled(QStringLiteral("Common Files/coils.htm"));
}

bool TCoilSettingsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool next = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Down;
        if (next || key->key() == Qt::Key_Up) {
            if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && edit->isModified())
                emit edit->editingFinished();
            focusNextPrevChild(next);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCoilSettingsForm::done(int result)
{
    TakeAllEdits();
    SaveDesignSettings();
    ApplyToCoil();
    QDialog::done(result);
}

}  // namespace vantor

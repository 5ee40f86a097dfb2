#include "gui/locations/barometer_window.h"

#include "gui/locations/barometer_placement.h"
#include "gui/locations/location_picker_window.h"
#include "gui/common/form_placement.h"
#include "gui/common/message_panel.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/fmt_edit.h"
#include "gui/widgets/fmt_edit_label.h"
#include "settings/settings_store.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vantor {

namespace {

constexpr std::string_view kFormName = "AltBaromForm";

TFmtEdit* MakeEdit(QWidget* parent, const char* format, TUnitsType units, double lo, double hi, TFmtEditLabel* label)
{
    auto* edit = new TFmtEdit(parent);
    edit->SetFormatStr(QString::fromLatin1(format));
    edit->SetSigDigs(5);
    edit->SetUnitsType(units);
    edit->SetRange(lo, hi);
    edit->SetUnitsLabel(label);
    return edit;
}

}  // namespace

TAltBaromForm::TAltBaromForm(QWidget* parent)
    : QDialog(parent),
      m_pressureLabel(new TFmtEditLabel(this)),
      m_altitudeLabel(new TFmtEditLabel(this)),
      m_search(new QToolButton(this)),
      m_status(new QStatusBar(this)),
      m_message(AddMessagePanel(*m_status))
{
    setObjectName(ToQString(kFormName));
    setWindowTitle(tr("Barometer"));
    m_pressureEdit = MakeEdit(this, "%0.3f", utPressureBar, kBarometerLo, kBarometerHi, m_pressureLabel);
    m_altitudeEdit = MakeEdit(this, "%0.1f", utAltitude, kAltitudeLo, kAltitudeHi, m_altitudeLabel);
    m_pressureEdit->setObjectName(QStringLiteral("PressureEdit"));
    m_altitudeEdit->setObjectName(QStringLiteral("AltitudeEdit"));

    m_search->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    m_search->setText(tr("Search"));
    m_search->setToolTip(tr("Search for Location"));
    m_search->setFocusPolicy(Qt::StrongFocus);
    connect(m_search, &QToolButton::clicked, this, &TAltBaromForm::Search);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* acceptButton = buttons->addButton(tr("&Accept"), QDialogButtonBox::AcceptRole);
    acceptButton->setToolTip(tr("Return pressure to calling program"));
    QPushButton* cancelButton = buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
    // Enter moves between the fields; a button takes it only when it has the focus.
    for (QPushButton* button : {acceptButton, cancelButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &TAltBaromForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    auto* pressureRow = new QHBoxLayout;
    pressureRow->addWidget(m_pressureEdit);
    pressureRow->addWidget(m_pressureLabel);
    auto* altitudeRow = new QHBoxLayout;
    altitudeRow->addWidget(m_altitudeEdit);
    altitudeRow->addWidget(m_altitudeLabel);
    altitudeRow->addWidget(m_search);
    fields->addRow(tr("Pressure"), pressureRow);
    fields->addRow(tr("Altitude"), altitudeRow);
    m_status->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->addWidget(m_status);
    setMinimumWidth(340);

    // Enter and the arrow keys walk this order.
    setTabOrder(m_pressureEdit, m_altitudeEdit);
    setTabOrder(m_altitudeEdit, m_search);
    setTabOrder(m_search, acceptButton);
    setTabOrder(acceptButton, cancelButton);
    m_pressureEdit->setFocus();

    connect(m_pressureEdit, &QLineEdit::editingFinished, this, &TAltBaromForm::PressureEdited);
    connect(m_altitudeEdit, &QLineEdit::editingFinished, this, &TAltBaromForm::AltitudeEdited);

    const TSettingsStore sharedKey(TSettingsKey::Shared);
    const TBarometerSettings saved = TBarometerSettings::Read(sharedKey);
    m_pressureEdit->SetUnitsValue(saved.PressureUnits);
    m_altitudeEdit->SetUnitsValue(saved.AltitudeUnits);
    m_lastLocation = saved.LastLocation;
    m_barometer = saved.Barometer;  // as saved, not recomputed from each other
    ShowValues();
    RestoreProgramPosition(*this, kFormName);
}

QString TAltBaromForm::StatusText() const { return m_message->text(); }

void TAltBaromForm::SetStatus(const QString& text) { m_message->SetMessage(text); }

void TAltBaromForm::ShowValues()
{
    m_pressureEdit->SetValue(m_barometer.Pressure);
    m_altitudeEdit->SetValue(m_barometer.Altitude);
    m_pressureEdit->setModified(false);
    m_altitudeEdit->setModified(false);
}

void TAltBaromForm::SetPressure(double P)
{
    m_barometer.SetPressure(P);
    ShowValues();
}

void TAltBaromForm::SetAltitude(double A)
{
    m_barometer.SetAltitude(A);
    ShowValues();
}

std::optional<double> TAltBaromForm::EditedValue(TFmtEdit& edit)
{
    if (!edit.isModified()) return std::nullopt;
    // A value out of range is limited by the edit itself, which keeps the focus; the edit
    // ends again once the value fits.
    const TEntryCheck check = edit.Entry().Check(ToStdString(edit.text()));
    if (!check.Readable || !check.InRange) return std::nullopt;
    return VariantNumber(edit.Value());
}

void TAltBaromForm::PressureEdited()
{
    const std::optional<double> P = EditedValue(*m_pressureEdit);
    if (!P) return;
    SetPressure(*P);
    SetStatus(tr("Pressure modified by user"));
}

void TAltBaromForm::AltitudeEdited()
{
    const std::optional<double> A = EditedValue(*m_altitudeEdit);
    if (!A) return;
    SetAltitude(*A);
    SetStatus(tr("Altitude modified by user"));
}

void TAltBaromForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    SetStatus(tr("Ready..."));
    if (!m_picker) m_picker = new TSelectLocationForm(this);
}

void TAltBaromForm::Search()
{
    if (!m_picker) m_picker = new TSelectLocationForm(this);
    m_picker->PresetPlace(m_lastLocation);
    if (m_picker->exec() != QDialog::Accepted || !m_picker->Picker().HasRecord()) return;
    const TLocationPicker& picker = m_picker->Picker();
    m_lastLocation = picker.PlaceText();
    m_place = picker.Record();
    const TPlaceBarometer reading = BarometerAtPlace(m_place.Name, m_place.Altitude);
    m_barometer = reading.Barometer;
    ShowValues();
    SetStatus(ToQString(reading.Held ? reading.Message : PlaceDesignText(m_place)));
}

void TAltBaromForm::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) {
            button->click();
            return;
        }
        focusNextChild();
        return;
    }
    if (key == Qt::Key_Down) {
        focusNextChild();
        return;
    }
    if (key == Qt::Key_Up) {
        focusPreviousChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAltBaromForm::accept()
{
    // A pending edit counts, limited to its range as leaving the edit would.
    for (TFmtEdit* edit : {m_pressureEdit, m_altitudeEdit})
        if (edit->isModified()) edit->Validate();
    PressureEdited();
    AltitudeEdited();
    if (const std::optional<double> P = VariantNumber(m_pressureEdit->Value())) m_barometer.Pressure = *P;
    if (const std::optional<double> A = VariantNumber(m_altitudeEdit->Value())) m_barometer.Altitude = *A;
    QDialog::accept();
}

void TAltBaromForm::done(int result)
{
    TSettingsStore sharedKey(TSettingsKey::Shared);
    TBarometerSettings{m_pressureEdit->UnitsValue(), m_altitudeEdit->UnitsValue(), m_lastLocation, m_barometer}.Write(
        sharedKey);
    KeepWindowSettings(sharedKey);
    SaveProgramPlacement(*this, kFormName);
    QDialog::done(result);
}

TPropEditAnswer EditBarometer(QWidget& owner, TVariant& value)
{
    auto* form = owner.findChild<TAltBaromForm*>(QString(), Qt::FindDirectChildrenOnly);
    if (!form) form = new TAltBaromForm(&owner);
    if (const std::optional<double> P = VariantNumber(value)) form->SetPressure(*P);
    form->adjustSize();
    MoveToCursor(*form);
    if (form->exec() != QDialog::Accepted) return TPropEditAnswer::Ignored;
    value = form->Pressure();
    return TPropEditAnswer::Accepted;
}

}  // namespace vantor

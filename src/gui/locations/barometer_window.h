#pragma once

// The pressure calculator: barometer and altitude, each from the other through the standard
// atmosphere, or the altitude of a place chosen in the location picker. The main window opens
// it as the barometer row's editor and takes its pressure back on Accept.

#include "locations/barometer.h"
#include "locations/location_record.h"
#include "rows/field.h"
#include "rows/variant.h"

#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace vantor {

class TFmtEdit;
class TFmtEditLabel;
class TMessagePanel;
class TSelectLocationForm;

class TAltBaromForm : public QDialog {
    Q_OBJECT

public:
    explicit TAltBaromForm(QWidget* parent = nullptr);

    double Pressure() const { return m_barometer.Pressure; }
    double Altitude() const { return m_barometer.Altitude; }
    // Pressure P and its altitude, both shown.
    void SetPressure(double P);
    // Altitude A and its pressure, both shown.
    void SetAltitude(double A);

    // Opens the picker on the last location; on Accept takes the place's altitude.
    void Search();
    const std::string& LastLocation() const { return m_lastLocation; }

    TFmtEdit& PressureEdit() const { return *m_pressureEdit; }
    TFmtEdit& AltitudeEdit() const { return *m_altitudeEdit; }
    QToolButton& SearchButton() const { return *m_search; }
    QString StatusText() const;
    // Made at the first activation.
    TSelectLocationForm* Picker() const { return m_picker; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void PressureEdited();
    void AltitudeEdited();
    // The value of an edit the user changed and left within range; nothing otherwise.
    static std::optional<double> EditedValue(TFmtEdit& edit);
    void ShowValues();
    void SetStatus(const QString& text);

    TBarometer m_barometer;
    std::string m_lastLocation;
    TLocationRecord m_place;
    TFmtEdit* m_pressureEdit;
    TFmtEdit* m_altitudeEdit;
    TFmtEditLabel* m_pressureLabel;
    TFmtEditLabel* m_altitudeLabel;
    QToolButton* m_search;
    QStatusBar* m_status;
    TMessagePanel* m_message;
    TSelectLocationForm* m_picker = nullptr;
};

// The barometer row's editor: the calculator (one per owner window) on the row's pressure, at
// the mouse cursor, modal; Accepted with the new pressure in value, else Ignored.
TPropEditAnswer EditBarometer(QWidget& owner, TVariant& value);

}  // namespace vantor

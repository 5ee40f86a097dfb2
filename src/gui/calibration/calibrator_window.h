#pragma once

// The coil calibrator window, "Coil Calibrator": five multiplying factors, each with an
// edit and up/down buttons, the coil solved again after every change, and the results shown.
// "Accept" closes with OK (the caller keeps the factors), "Cancel" without; "Update" and
// leaving an edit write the calibration file. The rules live in TCoilCalibrator.

#include "calibration/coil_calibrator.h"

#include <QDialog>

#include <array>
#include <filesystem>

class QLabel;
class QLineEdit;
class QToolButton;

namespace vantor {

class TCoil;
class TFmtEdit;

class TCalibrateForm : public QDialog {
    Q_OBJECT

public:
    explicit TCalibrateForm(QWidget* parent = nullptr);
    ~TCalibrateForm() override;

    // The coil calibrated at the next showing; it must outlive the window's use of it.
    void SetCoil(TCoil& coil) { m_coil = &coil; }
    // The fluid pressure drop factor, its buttons, result and labels.
    void SetFluidSideEnabled(bool enabled);
    // Where "Update" writes; the program's calibration file unless replaced.
    void SetCalibrationFile(std::filesystem::path file) { m_file = std::move(file); }

    // What showing the window does: the coil's factors, solved, shown.
    void Activate();
    void Recalculate();
    void WriteCalibration();
    void Reset();
    void StepUp(TCalibrationFactor factor);
    void StepDown(TCalibrationFactor factor);

    const TCoilCalibrator& Calibrator() const { return m_calibrator; }
    TFmtEdit& FactorEdit(TCalibrationFactor factor) const { return *m_rows[static_cast<size_t>(factor)].Edit; }
    QToolButton& UpButton(TCalibrationFactor factor) const { return *m_rows[static_cast<size_t>(factor)].Up; }
    // Total duty, sensible duty, sensible heat ratio, air and fluid pressure drop.
    QLineEdit& ResultField(int index) const { return *m_results[static_cast<size_t>(index)]; }
    QString StatusText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct TFactorRow {
        QLabel* Label = nullptr;
        TFmtEdit* Edit = nullptr;
        QToolButton* Up = nullptr;
        QToolButton* Down = nullptr;
    };
    void ShowFactors();
    void ShowResults();
    void FactorEditExit(TCalibrationFactor factor);

    TCoil* m_coil = nullptr;
    TCoilCalibrator m_calibrator;
    std::filesystem::path m_file;
    std::array<TFactorRow, kCalibrationFactorCount> m_rows;
    std::array<QLineEdit*, 5> m_results{};
    std::array<QLabel*, 5> m_resultLabels{};
    QLabel* m_status;
};

}  // namespace vantor

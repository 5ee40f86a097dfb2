#pragma once

// The design settings window, "Design Settings": the values coil sizing aims at and two
// typical conditions, on four pages. Given a coil (SetCoil) it shows the stored values and
// applies them to that coil; closing it, however it is closed, stores what it shows and
// applies it again. The rules (defaults, limits, storing) live in design_settings/design_settings.

#include "design_settings/design_settings.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QTabWidget;

namespace vantor {

class TCoil;
class TFmtEdit;
class TPageOpener;
class TPrompts;
class KzCustomEdit;

class TCoilSettingsForm : public QDialog {
    Q_OBJECT

public:
    explicit TCoilSettingsForm(QWidget* parent = nullptr);
    ~TCoilSettingsForm() override;

    // The window takes coil as its coil, shows the stored values and applies them to it.
    // The coil must outlive the window's use of it.
    void SetCoil(TCoil& coil);
    TCoil* Coil() const { return m_coil; }

    void LoadDesignSettings();
    void SaveDesignSettings();
    void ApplyToCoil();
    // "Restore Defaults": the coil's defaults shown; nothing stored or applied yet.
    void ResetAutoClick();
    // "More Information...": the coil help page.
    void Label5Click();

    // The values as the edits show them, after each edit's limits.
    const TDesignSettings& Settings() const { return m_settings; }
    // A failure to store the values goes through the prompts; tests script them.
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }

    TFmtEdit& AspectEdit() const { return *m_aspect; }
    TFmtEdit& VfEdit() const { return *m_vf; }
    TFmtEdit& AirOnEdit() const { return *m_airOn; }
    TFmtEdit& FluidInEdit() const { return *m_fluidIn; }
    TFmtEdit& RowsEdit() const { return *m_rows; }
    TFmtEdit& FinsEdit() const { return *m_fins; }
    QCheckBox& UseFoulingBox() const { return *m_useFouling; }
    QTabWidget& PageControl() const { return *m_pages; }

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowSettings();
    // Leaving an edit: its value read, limited and shown; text that is no number keeps the
    // value the edit had.
    void NumberEditExit(TFmtEdit& edit, double& value, double (*limit)(double));
    void AirOnEditExit();
    void TakeAllEdits();

    TCoil* m_coil = nullptr;
    TDesignSettings m_settings;
    QTabWidget* m_pages;
    TFmtEdit* m_aspect;
    TFmtEdit* m_vf;
    TFmtEdit* m_airOn;
    TFmtEdit* m_fluidIn;
    TFmtEdit* m_rows;
    TFmtEdit* m_fins;
    TPageOpener* m_helpOpener;
    QCheckBox* m_useFouling;
    std::shared_ptr<TPrompts> m_prompts;
};

}  // namespace vantor

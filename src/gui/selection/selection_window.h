#pragma once

// The coil selection window: the document's duty, air and fluid as the requirement, the
// limits and candidates (kept in the settings), Run with a progress bar and Cancel, a
// sortable table of the coils that pass, and "Use this coil", which hands the chosen coil to
// the document, solves and closes. The selection runs on worker threads; its progress and its
// end reach the window as signals, so the window stays responsive throughout.

#include "selection/coil_selector.h"
#include "gui/selection/stored_value_edit.h"
#include "selection/selection_settings.h"

#include <QDialog>
#include <QFutureWatcher>

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QSortFilterProxyModel;
class QTableView;

namespace vantor {

class TPrompts;
class TRatingDocument;
class TSelectionTableModel;

class TCoilSelectionForm : public QDialog {
    Q_OBJECT

public:
    explicit TCoilSelectionForm(TRatingDocument& doc, QWidget* parent = nullptr);
    ~TCoilSelectionForm() override;

    // Starts a selection with the window's inputs; a message when they cannot be used.
    void Run();
    // Asks a running selection to stop; it ends soon after with the coils found so far.
    void CancelRun();
    // From Run until the window has shown the run's results.
    bool Running() const { return m_running; }
    // The results as the selection ranked them, lightest first.
    const std::vector<TSelectionResult>& Results() const;
    QTableView& Table() const { return *m_table; }
    // The document takes the coil of the table's current row; true when it solved.
    bool UseThisCoil();

    // The inputs, for the tests and the settings.
    QDoubleSpinBox& DutyEdit() const { return *m_duty; }
    QCheckBox& FixedFaceCheck() const { return *m_fixedFace; }
    QCheckBox& DistinctCheck() const { return *m_distinct; }
    QDoubleSpinBox& HeightEdit() const { return *m_height; }
    QDoubleSpinBox& LengthEdit() const { return *m_length; }
    QDoubleSpinBox& MaxHeightEdit() const { return *m_maxHeight; }
    QDoubleSpinBox& DesignDropEdit() const { return *m_designDrop; }
    // What the last run was asked, in SI units.
    const TSelectionRequest& Request() const { return m_request; }
    // Inputs that cannot be used and a coil that cannot be taken go through the prompts; tests
    // script them.
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }

protected:
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* BuildRequirement();
    QWidget* BuildLimits();
    QWidget* BuildCandidates();
    void FillMakers();
    void FillRanges();
    void UpdateFaceControls();
    TSelectionSettings CurrentSettings() const;
    void ShowSettings(const TSelectionSettings& s);
    void RunFinished();
    // Cancels a run and waits for its end, before the window closes.
    void StopRun();
    void ShowResults(const TSelectionOutcome& outcome);
    void SetRunning(bool running);
    void FitModelColumn();
    // The requirement: the document's exact values, but for those the user has changed.
    TSelectionRequirement CurrentRequirement(bool byFlow) const;

    TRatingDocument& m_doc;
    const TSelectionInputUnits m_inputUnits;
    TSelectionRequest m_request;
    TSelectionFeedback m_feedback;
    QFutureWatcher<TSelectionOutcome> m_watcher;
    bool m_running = false;
    TSelectionTableModel* m_results;
    QSortFilterProxyModel* m_sorted;

    TStoredValueEdit* m_duty;
    TStoredValueEdit* m_airVolume;
    QRadioButton* m_byDrop;
    QRadioButton* m_byFlow;
    TStoredValueEdit* m_designDrop;
    TStoredValueEdit* m_fluidFlow;
    QDoubleSpinBox* m_margin;
    TStoredValueEdit* m_maxAirDrop;
    TStoredValueEdit* m_maxFluidDrop;
    TStoredValueEdit* m_minTubeVelocity;
    TStoredValueEdit* m_maxTubeVelocity;
    TStoredValueEdit* m_maxFaceVelocity;
    QComboBox* m_maker;
    QComboBox* m_range;
    QCheckBox* m_fixedFace;
    TStoredValueEdit* m_height;
    TStoredValueEdit* m_length;
    TStoredValueEdit* m_minHeight;
    TStoredValueEdit* m_maxHeight;
    TStoredValueEdit* m_minLength;
    TStoredValueEdit* m_maxLength;
    QDoubleSpinBox* m_aspectLo;
    QDoubleSpinBox* m_aspectHi;
    QSpinBox* m_rowsLo;
    QSpinBox* m_rowsHi;
    QSpinBox* m_finsLo;
    QSpinBox* m_finsHi;
    QSpinBox* m_top;
    QCheckBox* m_distinct;
    QPushButton* m_run;
    QPushButton* m_cancel;
    QPushButton* m_use;
    QProgressBar* m_progress;
    QLabel* m_status;
    QTableView* m_table;
    std::shared_ptr<TPrompts> m_prompts;
};

}  // namespace vantor

#pragma once

// The coil maker window, "Coil Maker": a maker from the catalogue and one of its tube ranges
// picked for the coil. The caller puts the coil's record into CurrentRecord, chooses whether
// the catalogue may be edited and the maker changed, shows the window modally and, on OK,
// takes CurrentRecord back. The rules (matching, copying) live in TCoilMakerChoice.

#include "geometry/coil_maker_choice.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QToolButton;
class QTreeWidget;

namespace vantor {

class TCoilMakers;
class TIniEditorForm;
class TPrompts;

class TCoilMakerForm : public QDialog {
    Q_OBJECT

public:

    // editor: the INI editor that "Edit Coil Database" opens on the catalogue.
    TCoilMakerForm(TCoilMakers& catalogue, TIniEditorForm& editor, QWidget* parent = nullptr);
    ~TCoilMakerForm() override;

    // The record being edited: set before the window shows, read after OK.
    TModelRec& CurrentRecord() { return m_choice.CurrentRecord; }
    const TModelRec& CurrentRecord() const { return m_choice.CurrentRecord; }

    void ShowDatabaseButton(bool show);
    void EnableMakerChoice(bool enable);
    bool DatabaseButtonShown() const;

    // What the window does each time it is shown: the makers, the matching range, the focus.
    void FormActivate();
    void FillMakers();
    void SelectCurrentRange();
    // "&Accept" and a double click: the selected range into CurrentRecord, then OK.
    void AcceptAction();
    // "Edit Coil Database": the catalogue in the INI editor, read again when it closes.
    void EditDatabase();
    QString CurrentRangeText() const;

    QComboBox& MakerList() const { return *m_makers; }
    QTreeWidget& RangeList() const { return *m_ranges; }
    QLabel& CurrentTubeLabel() const { return *m_current; }
    // Messages about the catalogue (a user copy that cannot be read); message boxes unless
    // replaced.
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowRanges();
    // Widens the columns to their captions and ranges, and the window to show them.
    void FitColumns();
    void ChooseMaker(int index);
    void ReportCatalogueProblem(bool always);

    TCoilMakers& m_catalogue;
    TIniEditorForm& m_editor;
    TCoilMakerChoice m_choice;
    QComboBox* m_makers;
    QToolButton* m_editButton;
    QTreeWidget* m_ranges;
    QLabel* m_current;
    std::shared_ptr<TPrompts> m_prompts;
    QString m_reportedProblem;
    bool m_filling = false;
};

}  // namespace vantor

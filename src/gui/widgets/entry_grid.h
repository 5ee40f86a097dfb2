#pragma once

// The property grid of the main window and of several dialogs: one row per quantity, built
// from row descriptors ("Barometer; %0.3f; kPa; PE; 70; 120"), with the columns name, value and
// units (or name and value). The value column is edited by kind of row:
//   number or text   in place; keys filtered by the row's format; on leaving, the text is
//                    cleaned, limited to the range (beep) and shown in the row's format
//   spin row         spin buttons step on the row's increment grid
//   enumeration      drop-down list; Right/Left arrow (and a double click) step through it
//   check row        check box
//   property editor  "..." button, shown once a handler is registered (SetPropertyEditor)
// A press on a numeric row's unit cell runs the units click procedure (UnitsPicker). Every
// change the user makes ends in OnDoSetData(col, row); the owner reads the row back in stored
// units with GetValue.
//
//   grid.SetRows({"Property; Value; Units", "Barometer; %0.3f; kPa; PE; 70; 120"});
//   grid.SetUnits(1, utPressureBar, 0, 0, ft_Fixed, 1.0, 0.0);
//   grid.SetOnUnitsClick(TEntryGrid::UnitsPicker);
//   connect(&grid, &TEntryGrid::OnDoSetData, this, &Form::GridDoSetData);

#include "gui/widgets/string_grid.h"
#include "rows/field.h"
#include "rows/variant.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vantor {

class TPrompts;
class TRowControls;
struct TResult;

class TEntryGrid : public KzStringGrid {
    Q_OBJECT

public:
    // What a press on a unit cell runs: the grid, the row and the pointer on the screen.
    using TUnitsClick = std::function<void(TEntryGrid& grid, int row, QPoint screenPos)>;

    explicit TEntryGrid(QWidget* parent = nullptr);

    // The messages of SetRows and the row operations go through the prompts; tests script them.
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }

    // Rebuilds the rows from descriptor lines, the header first. A line that describes no row
    // shows "Error initialising <name>" and becomes a text row.
    void SetRows(const std::vector<std::string>& lines);

    // Column 1 in stored units through the row's field, other columns as plain text.
    TVariant GetValue(int col, int row) const { return Rows().GetValue(col, row); }
    void SetValue(int col, int row, const TVariant& value);
    // The index an enumeration row holds; -1 when its cell names none of its strings.
    int EnumIndex(int row) const;

    // Per-row operations. A failure shows its message, which ends in the row number.
    void SetUnits(int row, TUnitsType type, int unitsBase, int unitsValue, TFormatType formatType, double factor,
                  double offset);
    void SetRowUnitsValue(int row, int unitsValue);
    void SetSigDigs(int row, int sigDigs);
    // The row's "..." button runs the editor with the row's stored value; on Accepted the value
    // it left is written and OnDoSetData follows.
    void SetPropertyEditor(int row, TPropEditCallback editor);
    void SetEnumStrings(int row, std::vector<std::string> strings);
    // A disabled row is greyed and takes no edits.
    void SetRowEnabled(int row, bool enabled);

    // The column whose press runs the units click; negative: none.
    void SetUnitsColumn(int col);
    void SetOnUnitsClick(TUnitsClick onUnitsClick) { m_onUnitsClick = std::move(onUnitsClick); }
    // The standard units click: the units picker for a numeric row bound to a units type; the
    // row then shows the same quantity in the unit chosen.
    static void UnitsPicker(TEntryGrid& grid, int row, QPoint screenPos);

    const TRowControls& RowControls() const { return *m_controls; }

    // The width that shows the column's widest text with the room beside it: the name's
    // margin, the value's row buttons, the unit's margin.
    int FittedColWidth(int col) const;
    // Widens the value column to its longest value, as far as the screen allows; a column
    // that shows every value keeps its width.
    void FitValueColumn();

signals:
    // After the units click procedure ran for the row.
    void OnAfterRightClick(int row);
    // The value column grew by `extra` pixels to show its values.
    void ValueColumnWidened(int extra);

protected:
    bool CanEditShow(int col, int row) const override;
    void SetupEditor(KzCustomEdit& editor, int col, int row) override;
    void SetEditedText(int col, int row, const QString& text) override;
    void CellSelected(int col, int row) override;
    void CellsRefreshed() override;

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void ShowRowResult(const TResult& result);
    // A value the user set through a row control: written, shown, notified.
    void SetUserValue(int row, const TVariant& value);
    void RunPropertyEditor();
    void ToggleList();
    QStringList ListItemsOf(int row) const;
    // The cell of the open list selected again: the owner refreshed its rows in answer to a
    // value taken from the list. The list stays open, keeping the focus, while its row still
    // offers the same strings; it then follows the value the row holds.
    bool KeepsOpenList(int col, int row);
    void PickListItem(int index, bool close);
    void Spin(bool up);
    // Steps the current enumeration row; false when the current cell is not one.
    bool StepEnum(int delta);
    void PlaceRowControls();

    TRowControls* m_controls;
    // The row whose drop-down list was opened last.
    int m_listRow = 0;
    TUnitsClick m_onUnitsClick;
    std::shared_ptr<TPrompts> m_prompts;
};

}  // namespace vantor

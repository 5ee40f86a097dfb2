#include "gui/widgets/entry_grid.h"

#include "gui/common/prompts.h"
#include "gui/common/units_picker.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/custom_edit.h"
#include "gui/widgets/row_controls.h"
#include "text/result.h"
#include "rows/bool_field.h"
#include "rows/enum_field.h"
#include "rows/num_field.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace vantor {

namespace {

constexpr int kValueColumn = 1;
constexpr int kDefaultColWidths[] = {90, 60, 50};
constexpr int kMinMeasuredWidth = 50;

bool IsEnumRow(const TField* field) { return dynamic_cast<const TEnumField*>(field) != nullptr; }
bool IsCheckRow(const TField* field) { return dynamic_cast<const TBoolField*>(field) != nullptr; }

TRowControls::TKind ControlsOf(const TField& field)
{
    if (IsEnumRow(&field)) return TRowControls::DropDown;
    if (IsCheckRow(&field)) return TRowControls::Check;
    if (field.Style == fs_PropEdit && field.OnPropEdit) return TRowControls::PropEdit;
    if (field.Style == fs_Spin && dynamic_cast<const TNumField*>(&field)) return TRowControls::Spin;
    return TRowControls::None;
}

// The entry rules of a value cell: a numeric row's format, units and range, else its format.
TNumberEntry EntryFor(const TPropertyRows& rows, int row)
{
    if (const TNumField* field = rows.NumField(row)) return TNumberEntry::ForField(*field);
    TNumberEntry entry;
    entry.FormatStr = rows.RowFormat(row);
    return entry;
}

}  // namespace

TEntryGrid::TEntryGrid(QWidget* parent)
    : KzStringGrid(parent),
      m_controls(new TRowControls(*viewport(), *this)),
      m_prompts(std::make_shared<TDialogPrompts>(this, QApplication::applicationDisplayName()))
{
    for (int col = 0; col < static_cast<int>(std::size(kDefaultColWidths)); ++col)
        SetColWidth(col, kDefaultColWidths[col]);
    connect(m_controls, &TRowControls::PropEditClicked, this, &TEntryGrid::RunPropertyEditor);
    connect(m_controls, &TRowControls::DropDownClicked, this, &TEntryGrid::ToggleList);
    connect(m_controls, &TRowControls::SpinClicked, this, &TEntryGrid::Spin);
    connect(m_controls, &TRowControls::CheckClicked, this, [this](bool checked) { SetUserValue(CurrentRow(), checked); });
    connect(m_controls, &TRowControls::ListPicked, this, &TEntryGrid::PickListItem);
    connect(m_controls, &TRowControls::ListClosed, this, [this] { setFocus(); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &TEntryGrid::PlaceRowControls);
}

void TEntryGrid::SetRows(const std::vector<std::string>& lines)
{
    m_controls->HideAll();
    const std::vector<std::string> messages = Rows().SetRows(lines);
    RowsChanged();
    for (const std::string& message : messages) m_prompts->ShowMessage(ToQString(message), TMessageKind::Error);
}

void TEntryGrid::SetValue(int col, int row, const TVariant& value)
{
    Rows().SetValue(col, row, value);
    CellsChanged();
}

int TEntryGrid::EnumIndex(int row) const
{
    const auto index = VariantNumber(GetValue(kValueColumn, row));
    return index && std::isfinite(*index) ? static_cast<int>(std::lround(*index)) : -1;
}

void TEntryGrid::ShowRowResult(const TResult& result)
{
    RowsChanged();
    if (!result) m_prompts->ShowMessage(ToQString(result.Message), TMessageKind::Information);
}

void TEntryGrid::SetUnits(int row, TUnitsType type, int unitsBase, int unitsValue, TFormatType formatType,
                          double factor, double offset)
{
    ShowRowResult(Rows().SetUnits(row, type, unitsBase, unitsValue, formatType, factor, offset));
}

void TEntryGrid::SetRowUnitsValue(int row, int unitsValue) { ShowRowResult(Rows().SetRowUnitsValue(row, unitsValue)); }

void TEntryGrid::SetSigDigs(int row, int sigDigs) { ShowRowResult(Rows().SetSigDigs(row, sigDigs)); }

void TEntryGrid::SetPropertyEditor(int row, TPropEditCallback editor)
{
    TField* field = Rows().Field(row);
    if (!field) {
        ShowRowResult(TResult::Error(TErrorCode::Failed, "Error setting property editor, row " + std::to_string(row)));
        return;
    }
    field->Style = fs_PropEdit;
    field->OnPropEdit = std::move(editor);
    ShowRowResult(TResult::Ok());
}

void TEntryGrid::SetEnumStrings(int row, std::vector<std::string> strings)
{
    ShowRowResult(Rows().SetEnumStrings(row, std::move(strings)));
}

void TEntryGrid::SetRowEnabled(int row, bool enabled) { ShowRowResult(Rows().SetRowEnabled(row, enabled)); }

void TEntryGrid::SetUnitsColumn(int col)
{
    Rows().UnitsColumn = col;
    CellsChanged();
}

void TEntryGrid::UnitsPicker(TEntryGrid& grid, int row, QPoint screenPos)
{
    const TNumField* field = grid.Rows().NumField(row);
    if (!field || field->UnitsType == utNone) return;
    grid.SetRowUnitsValue(row, TUnitsForm::Pick(field->UnitsType, field->UnitsValue, screenPos, &grid));
}

bool TEntryGrid::CanEditShow(int col, int row) const
{
    const TField* field = Rows().Field(row);
    return col == kValueColumn && field && field->Enabled && field->Editable && !IsEnumRow(field) &&
           !IsCheckRow(field);
}

void TEntryGrid::SetupEditor(KzCustomEdit& editor, int, int row)
{
    m_controls->HideAll();
    editor.SetEntry(EntryFor(Rows(), row));
}

void TEntryGrid::SetEditedText(int col, int row, const QString& text)
{
    const TEntryCheck check = Rows().EnterText(row, ToStdString(text));
    // Text that is no number leaves the cell as it was.
    if (!check.Readable || !check.InRange) Beep();
    if (!check.Readable) return;
    CellsChanged();
    DoSetData(col, row);
}

void TEntryGrid::CellSelected(int col, int row)
{
    if (KeepsOpenList(col, row)) {
        PlaceRowControls();
        KzStringGrid::CellSelected(col, row);
        return;
    }
    m_controls->HideAll();
    const TField* field = Rows().Field(row);
    if (col == kValueColumn && field && field->Enabled && !Editor()) {
        const bool checked = IsCheckRow(field) && VariantBool(GetValue(kValueColumn, row)).value_or(false);
        m_controls->Show(ControlsOf(*field), CellRect(kValueColumn, row), checked);
    }
    KzStringGrid::CellSelected(col, row);
}

int TEntryGrid::FittedColWidth(int col) const
{
    const int widest = std::max(WidestText(col), kMinMeasuredWidth);
    if (col == 0) return std::max(widest + 10, kDefaultColWidths[0]);
    if (col == kValueColumn) return std::max(widest + 25, kDefaultColWidths[kValueColumn]);
    return widest + 15;
}

void TEntryGrid::FitValueColumn()
{
    if (Rows().ColCount() <= kValueColumn) return;
    const int present = ColWidth(kValueColumn);
    const int needed = FittedColWidth(kValueColumn);
    if (needed <= present) return;
    // The other columns, the grid's frame and a vertical scroll bar keep their room on the screen.
    int others = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < Rows().ColCount(); ++col)
        if (col != kValueColumn) others += ColWidth(col);
    const QScreen* shownOn = screen();
    const int room = shownOn ? shownOn->availableGeometry().width() - others : needed;
    const int width = std::min(needed, std::max(present, room));
    if (width <= present) return;
    SetColWidth(kValueColumn, width);
    emit ValueColumnWidened(width - present);
}

void TEntryGrid::CellsRefreshed() { FitValueColumn(); }

void TEntryGrid::PlaceRowControls()
{
    if (m_controls->Shown() != TRowControls::None) m_controls->Place(CellRect(kValueColumn, CurrentRow()));
}

void TEntryGrid::scrollContentsBy(int dx, int dy)
{
    KzStringGrid::scrollContentsBy(dx, dy);
    PlaceRowControls();
}

void TEntryGrid::SetUserValue(int row, const TVariant& value)
{
    SetValue(kValueColumn, row, value);
    DoSetData(kValueColumn, row);
}

void TEntryGrid::RunPropertyEditor()
{
    const int row = CurrentRow();
    const TField* field = Rows().Field(row);
    if (!field || field->Style != fs_PropEdit || !field->OnPropEdit) return;
    // A copy: the editor may rebuild the rows, and with them this field.
    const TPropEditCallback editor = field->OnPropEdit;
    TVariant value = GetValue(kValueColumn, row);
    const TPropEditAnswer answer = editor(value);
    if (answer == TPropEditAnswer::Accepted) SetUserValue(row, value);
    if (answer != TPropEditAnswer::Ignored) setFocus();
}

void TEntryGrid::ToggleList()
{
    if (m_controls->ListVisible()) {
        m_controls->HideList();
        setFocus();
        return;
    }
    const int row = CurrentRow();
    const QRect cell = CellRect(kValueColumn, row);
    const QRect cellOnScreen(viewport()->mapToGlobal(cell.topLeft()), cell.size());
    m_listRow = row;
    m_controls->ShowList(ListItemsOf(row), EnumIndex(row), cellOnScreen, DefaultRowHeight());
}

QStringList TEntryGrid::ListItemsOf(int row) const
{
    QStringList items;
    for (const std::string& item : Rows().RowEnumStrings(row)) items.append(ToQString(item));
    return items;
}

bool TEntryGrid::KeepsOpenList(int col, int row)
{
    if (!m_controls->ListVisible() || col != kValueColumn || row != m_listRow) return false;
    const TEnumField* field = Rows().EnumField(row);
    if (!field || !field->Enabled || ListItemsOf(row) != m_controls->ListItems()) return false;
    m_controls->SetListCurrent(EnumIndex(row));
    return true;
}

void TEntryGrid::PickListItem(int index, bool close)
{
    const int row = CurrentRow();
    if (index != EnumIndex(row)) SetUserValue(row, static_cast<long long>(index));
    if (close) setFocus();
}

void TEntryGrid::Spin(bool up)
{
    const int row = CurrentRow();
    const TNumField* field = Rows().NumField(row);
    const auto x = field ? VariantNumber(GetValue(kValueColumn, row)) : std::nullopt;
    if (!x) return;
    if (const auto stepped = up ? field->StepUp(*x) : field->StepDown(*x)) SetUserValue(row, *stepped);
}

bool TEntryGrid::StepEnum(int delta)
{
    const int row = CurrentRow();
    const TEnumField* field = Rows().EnumField(row);
    if (CurrentCol() != kValueColumn || !field || !field->Enabled || field->Items.empty()) return false;
    const int count = static_cast<int>(field->Items.size());
    const int index = EnumIndex(row);
    // From no valid entry, forward starts at the first string and back at the last.
    const int from = index >= 0 && index < count ? index : (delta > 0 ? -1 : count);
    SetUserValue(row, static_cast<long long>((from + delta + count) % count));
    return true;
}

void TEntryGrid::keyPressEvent(QKeyEvent* event)
{
    const bool plainArrow = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    const int key = event->key();
    if (plainArrow && (key == Qt::Key_Right || key == Qt::Key_Left) && StepEnum(key == Qt::Key_Right ? 1 : -1)) return;
    KzStringGrid::keyPressEvent(event);
}

void TEntryGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (indexAt(event->position().toPoint()) == currentIndex() && StepEnum(1)) return;
    KzStringGrid::mouseDoubleClickEvent(event);
}

void TEntryGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex pressed = indexAt(event->position().toPoint());
    const int row = RowOf(pressed);
    if (pressed.isValid() && pressed.column() == Rows().UnitsColumn && m_onUnitsClick && Rows().Field(row)) {
        CommitEdit();
        m_onUnitsClick(*this, row, event->globalPosition().toPoint());
        emit OnAfterRightClick(row);
    }
    KzStringGrid::mousePressEvent(event);
}

}  // namespace vantor

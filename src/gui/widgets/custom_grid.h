#pragma once

// The grid base: a table of text cells under a fixed header row, edited in place with a
// KzCustomEdit in the cells the grid allows. An edit ends when the user presses Enter, leaves
// the cell or the grid loses the focus: the text goes to SetEditedText, which checks it, sets
// the cell and fires OnDoSetData. Escape closes the editor and keeps the cell as it was.
// Enter on a closed cell opens the editor; typing into a cell opens it with that key.
//
// Rows are counted as the grid shows them: row 0 is the header, data rows start at 1.

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

namespace vantor {

class KzCustomEdit;

class KzCustomGrid : public QTableView {
    Q_OBJECT

public:
    explicit KzCustomGrid(QWidget* parent = nullptr);

    // The current cell; row 0 when no data cell is current.
    int CurrentCol() const;
    int CurrentRow() const;
    void SelectCell(int col, int row);
    // In the viewport's coordinates.
    QRect CellRect(int col, int row) const;
    int DefaultRowHeight() const;

    // The open in-place editor, nullptr when none is open.
    KzCustomEdit* Editor() const;
    // Ends an edit in progress as leaving the cell does.
    void CommitEdit();
    // Closes the editor and keeps the cell as it was.
    void CancelEdit();

signals:
    // A cell's value was set by the user.
    void OnDoSetData(int col, int row);
    // After the selection handling of a newly selected cell.
    void OnSelectCell(int col, int row);
    // A refused key or an entry limited to its range.
    void Beeped();

protected:
    QModelIndex CellIndex(int col, int row) const;
    static int RowOf(const QModelIndex& index) { return index.row() + 1; }

    void DoSetData(int col, int row) { emit OnDoSetData(col, row); }
    void Beep();

    // The editor takes the rules of the cell it is about to edit.
    virtual void SetupEditor(KzCustomEdit& editor, int col, int row) = 0;
    // The text of an edit that ended.
    virtual void SetEditedText(int col, int row, const QString& text) = 0;
    // The selection handling of a cell. It runs when the cell becomes current, when the grid
    // takes the focus, on a press on the current cell and after an edit; then OnSelectCell.
    virtual void CellSelected(int col, int row);
    // CellSelected for the current cell, when there is one.
    void SelectCurrent();

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

protected slots:
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    class TInplaceDelegate;

    void EditorOpened(KzCustomEdit& editor, const QModelIndex& index);

    QPointer<KzCustomEdit> m_editor;
    QPersistentModelIndex m_editIndex;
};

}  // namespace vantor

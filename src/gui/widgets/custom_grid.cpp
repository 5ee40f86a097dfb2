#include "gui/widgets/custom_grid.h"

#include "gui/widgets/custom_edit.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

#include <algorithm>

namespace vantor {

namespace {

constexpr int kDefaultColWidth = 60;
constexpr int kMinimumRowHeight = 16;
constexpr int kRowTextMargin = 4;

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

// Creates the grid's KzCustomEdit editors and ends an edit at once on Enter, so the cell and
// the notification are done when the key has been handled.
class KzCustomGrid::TInplaceDelegate : public QStyledItemDelegate {
public:
    explicit TInplaceDelegate(KzCustomGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* editor = new KzCustomEdit(parent);
        editor->setFrame(false);
        m_grid.EditorOpened(*editor, index);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* edit = static_cast<KzCustomEdit*>(editor);
        if (edit->isModified()) return;  // a cell rewritten meanwhile does not overwrite typing
        edit->setText(index.data(Qt::EditRole).toString());
        edit->selectAll();
    }

    // The grid takes the text itself (KzCustomGrid::commitData).
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent*>(event)->key())) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    KzCustomGrid& m_grid;
};

KzCustomGrid::KzCustomGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(DefaultRowHeight());
    horizontalHeader()->setDefaultSectionSize(kDefaultColWidth);
    horizontalHeader()->setHighlightSections(false);
    setItemDelegate(new TInplaceDelegate(*this));
}

int KzCustomGrid::DefaultRowHeight() const
{
    return std::max(kMinimumRowHeight, fontMetrics().height() + kRowTextMargin);
}

QModelIndex KzCustomGrid::CellIndex(int col, int row) const
{
    return model() ? model()->index(row - 1, col) : QModelIndex();
}

int KzCustomGrid::CurrentCol() const { return currentIndex().isValid() ? currentIndex().column() : 0; }

int KzCustomGrid::CurrentRow() const { return currentIndex().isValid() ? RowOf(currentIndex()) : 0; }

void KzCustomGrid::SelectCell(int col, int row)
{
    const QModelIndex index = CellIndex(col, row);
    if (index.isValid()) setCurrentIndex(index);
}

QRect KzCustomGrid::CellRect(int col, int row) const { return visualRect(CellIndex(col, row)); }

KzCustomEdit* KzCustomGrid::Editor() const { return m_editor; }

void KzCustomGrid::Beep()
{
    QApplication::beep();
    emit Beeped();
}

void KzCustomGrid::EditorOpened(KzCustomEdit& editor, const QModelIndex& index)
{
    m_editor = &editor;
    m_editIndex = index;
    connect(&editor, &KzCustomEdit::Beeped, this, &KzCustomGrid::Beeped);
    SetupEditor(editor, index.column(), RowOf(index));
}

void KzCustomGrid::commitData(QWidget* editor)
{
    if (!editor || editor != m_editor || !m_editIndex.isValid()) return;
    SetEditedText(m_editIndex.column(), RowOf(m_editIndex), m_editor->text());
}

void KzCustomGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The editor may be gone already: the notification of its edit can rebuild the rows.
    if (!editor || editor != m_editor) return;
    m_editor = nullptr;
    m_editIndex = QPersistentModelIndex();
    QTableView::closeEditor(editor, hint);
    SelectCurrent();
}

void KzCustomGrid::CommitEdit()
{
    if (!m_editor) return;
    QWidget* editor = m_editor;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void KzCustomGrid::CancelEdit()
{
    if (m_editor) closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
}

void KzCustomGrid::CellSelected(int col, int row) { emit OnSelectCell(col, row); }

void KzCustomGrid::SelectCurrent()
{
    if (currentIndex().isValid()) CellSelected(CurrentCol(), CurrentRow());
}

void KzCustomGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    SelectCurrent();
}

void KzCustomGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    SelectCurrent();
}

void KzCustomGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex pressed = indexAt(event->position().toPoint());
    const bool onCurrent = pressed.isValid() && pressed == currentIndex();
    QTableView::mousePressEvent(event);
    if (onCurrent) SelectCurrent();
}

void KzCustomGrid::keyPressEvent(QKeyEvent* event)
{
    if (IsEnter(event->key()) && !m_editor) {
        if (!edit(currentIndex(), QAbstractItemView::EditKeyPressed, event)) event->ignore();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace vantor

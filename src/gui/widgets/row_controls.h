#pragma once

// The controls laid over the value cell of the entry grid's selected row: the property editor
// button ("..."), the drop-down button with its list, the spin buttons and the check box. One
// set serves the selected row; at most one kind shows at a time. The controls never take the
// keyboard focus, so typing stays with the grid.

#include <QObject>
#include <QRect>
#include <QStringList>

class QCheckBox;
class QListWidget;
class QToolButton;
class QWidget;

namespace vantor {

class TRowControls : public QObject {
    Q_OBJECT

public:
    enum TKind { None, PropEdit, DropDown, Spin, Check };

    // The buttons and the check box live on `host` (the grid's viewport); the list is a
    // pop-up window owned by `owner` (the grid).
    TRowControls(QWidget& host, QWidget& owner);

    // Shows the controls of one kind over the cell (host coordinates); the check box shows
    // the state given, without a click.
    void Show(TKind kind, const QRect& cell, bool checked = false);
    // Places the visible controls over the cell again (the grid scrolled or a column resized).
    void Place(const QRect& cell);
    void HideAll();
    TKind Shown() const { return m_shown; }

    // The list of a drop-down row directly under the cell, `current` highlighted. It is as
    // wide as the cell, or as its widest item when that is wider but narrower than 200 pixels,
    // and shows at most five items.
    void ShowList(const QStringList& items, int current, const QRect& cellOnScreen, int itemHeight);
    void HideList();
    bool ListVisible() const;
    // The strings the list shows.
    QStringList ListItems() const;
    // Highlights item `current` of the open list (none when out of range).
    void SetListCurrent(int current);

    QToolButton& PropEditButton() const { return *m_propEdit; }
    QToolButton& DropDownButton() const { return *m_dropDown; }
    QToolButton& SpinUpButton() const { return *m_spinUp; }
    QToolButton& SpinDownButton() const { return *m_spinDown; }
    QCheckBox& CheckBox() const { return *m_check; }
    QListWidget& List() const { return *m_list; }

signals:
    void PropEditClicked();
    void DropDownClicked();
    void SpinClicked(bool up);
    void CheckClicked(bool checked);
    // A mouse press on an item picks it and closes the list; a key released in the list
    // picks the item highlighted and leaves the list open.
    void ListPicked(int index, bool close);
    // Enter or Escape in the list.
    void ListClosed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* MakeButton(QWidget& host);

    QToolButton* m_propEdit;
    QToolButton* m_dropDown;
    QToolButton* m_spinUp;
    QToolButton* m_spinDown;
    QCheckBox* m_check;
    QListWidget* m_list;
    TKind m_shown = None;
};

}  // namespace vantor

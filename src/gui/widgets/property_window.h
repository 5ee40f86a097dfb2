#pragma once

// A property window: a toolbar of actions, the entry grid (name, value, units) and a status
// line of three panels. Windows that show property rows derive from it and connect the
// actions they serve; an action without a handler does nothing.
//
// The window's own pop-up menu holds "Copy to XML" (the rows as an XHTML text on the
// clipboard) and "Clip screen" (a JPEG picture of the window, saved and put on the
// clipboard). Align sizes the columns to their widest text and the window to the grid.

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace vantor {

class TEntryGrid;
class TPrompts;
class TPropertyRows;
class TStatusLine;

// The toolbar actions in toolbar order, then the pop-up commands.
enum class TTechAction {
    Open,
    Save,
    Copy,
    Paste,
    Solve,
    View,
    Print,
    Align,
    Reset,
    About,
    Help,
    Accept,
    Cancel,
    Clip,
    CopyXml,
};
inline constexpr int kTechActionCount = static_cast<int>(TTechAction::CopyXml) + 1;

class TTechForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TTechForm(QWidget* parent = nullptr);
    ~TTechForm() override;

    TEntryGrid& Grid() const { return *m_grid; }
    QToolBar& ToolBar() const { return *m_toolBar; }
    QAction& Action(TTechAction action) const { return *m_actions[static_cast<size_t>(action)]; }
    // What the action runs; an empty handler makes it do nothing again.
    void SetHandler(TTechAction action, std::function<void()> handler);
    // Shows or hides the action's toolbar button (and its shortcut with it).
    void ShowAction(TTechAction action, bool shown);
    // The Help button becomes a drop-down with "Help" and "About".
    void SetHelpDropDown();

    // The status line: panels 0 and 1 of fixed width, panel 2 the message panel, which takes
    // the rest of the line and wraps a long text onto a second line. Each text is also the
    // panel's tooltip.
    QString StatusText(int panel) const;
    void SetStatusText(int panel, const QString& text);
    // For a window whose status carries one text: only `panel` shows, as the message panel
    // over the whole line. The other panels keep their texts unseen.
    void SetSingleStatusPanel(int panel);

    // How the window asks the user and shows messages; message boxes and file dialogs
    // unless replaced.
    TPrompts& Prompts() const { return *m_prompts; }
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }

    // Columns to their widest text, the window to the grid (at most 400 pixels high).
    void Align();
    // The window `extra` pixels wider (a column grew), as far as the screen allows.
    void Widen(int extra);

    // The rows as an XHTML text: the root element named after row 1's value, one element per
    // further row named after the row with its units as attribute. Names are made valid XML
    // names (blanks and other characters a name cannot hold become "_"; a name that cannot
    // start as it is gets a leading "_"); texts are escaped.
    static std::string XmlOfRows(const TPropertyRows& rows);
    // XmlOfRows on the clipboard as plain text; returns the text.
    QString CopyToXml();
    // The window as a JPEG picture named after the program, written into the program folder
    // (the data folder when that is not writable) and put on the clipboard. Returns the
    // file's path; empty after a failure, which is shown.
    QString ClipScreen();
    // Where ClipScreen writes.
    static QString ClipFileName();

protected:
    // Leaving the window ends an edit in progress.
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // A message through the prompts, titled with the program's name.
    void ShowMessageText(const QString& text, bool error);

private:
    QAction* MakeAction(TTechAction action, const QString& caption, const QString& hint);

    QToolBar* m_toolBar;
    TEntryGrid* m_grid;
    TStatusLine* m_statusLine;
    std::array<QLabel*, 3> m_panels{};
    std::array<QAction*, kTechActionCount> m_actions{};
    std::array<std::function<void()>, kTechActionCount> m_handlers;
    QMenu* m_windowMenu;
    std::shared_ptr<TPrompts> m_prompts;
};

}  // namespace vantor

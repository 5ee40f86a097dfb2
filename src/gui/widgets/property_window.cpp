#include "gui/widgets/property_window.h"

#include "gui/common/message_panel.h"
#include "gui/common/prompts.h"
#include "gui/common/qt_text.h"
#include "gui/widgets/entry_grid.h"
#include "settings/folders.h"
#include "text/file_io.h"
#include "rows/property_rows.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <pugixml.hpp>

#include <algorithm>
#include <string_view>

namespace vantor {

namespace {

constexpr int kPanelWidth = 90;
constexpr size_t kMessagePanel = 2;
constexpr int kMaxAlignedHeight = 400;
constexpr int kClipQuality = 90;
constexpr std::string_view kBreak = "\r\n";

struct TActionText {
    TTechAction Action;
    const char* Caption;
    const char* Hint;
};

constexpr TActionText kActionTexts[] = {
    {TTechAction::Open, "&Open", "Open"},
    {TTechAction::Save, "&Save", "Save"},
    {TTechAction::Copy, "&Copy", "Copy result to clipboard"},
    {TTechAction::Paste, "&Paste", "Paste"},
    {TTechAction::Solve, "S&olve", "Solve"},
    {TTechAction::View, "&View", "View"},
    {TTechAction::Print, "&Print", "Print"},
    {TTechAction::Align, "&Align", "Align"},
    {TTechAction::Reset, "&Reset", "Set Imperial or Metric Units"},
    {TTechAction::About, "&About", "About"},
    {TTechAction::Help, "&Help", "Help"},
    {TTechAction::Accept, "&Accept", "Accept"},
    {TTechAction::Cancel, "&Cancel", "Cancel"},
    {TTechAction::Clip, "Clip screen", ""},
    {TTechAction::CopyXml, "Copy to XML", ""},
};

bool IsNameStart(QChar c) { return (c.isLetter() && c.unicode() < 128) || c == u'_'; }
bool IsNameChar(QChar c) { return IsNameStart(c) || (c.isDigit() && c.unicode() < 128) || c == u'-' || c == u'.'; }

// A cell text as an element name: "Design Duty  " -> "Design_Duty__", "544 720 4r" ->
// "_544_720_4r".
std::string XmlName(const std::string& text)
{
    QString name = ToQString(text);
    for (QChar& c : name)
        if (!IsNameChar(c)) c = u'_';
    if (name.isEmpty() || !IsNameStart(name.front())) name.prepend(u'_');
    return ToStdString(name);
}

// Collects what pugixml writes, with Windows line breaks as the clipboard's readers expect.
struct TStringWriter : pugi::xml_writer {
    std::string Text;
    void write(const void* data, size_t size) override
    {
        for (const char c : std::string_view(static_cast<const char*>(data), size)) {
            if (c == '\n') Text += '\r';
            Text += c;
        }
    }
};

}  // namespace

TTechForm::TTechForm(QWidget* parent)
    : QMainWindow(parent),
      m_toolBar(new QToolBar(this)),
      m_grid(new TEntryGrid(this)),
      m_windowMenu(new QMenu(this)),
      m_prompts(std::make_shared<TDialogPrompts>(this, QApplication::applicationDisplayName()))
{
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(m_toolBar);

    for (const TActionText& text : kActionTexts) {
        QAction* action = MakeAction(text.Action, tr(text.Caption), tr(text.Hint));
        if (text.Action < TTechAction::Clip) m_toolBar->addAction(action);
    }
    Action(TTechAction::Save).setShortcut(QKeySequence(Qt::ALT | Qt::Key_S));
    Action(TTechAction::Solve).setShortcut(QKeySequence(Qt::Key_F9));
    m_windowMenu->addAction(&Action(TTechAction::CopyXml));
    m_windowMenu->addAction(&Action(TTechAction::Clip));
    SetHandler(TTechAction::Align, [this] { Align(); });
    SetHandler(TTechAction::CopyXml, [this] { CopyToXml(); });
    SetHandler(TTechAction::Clip, [this] { ClipScreen(); });

    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setFrameShape(QFrame::NoFrame);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    setCentralWidget(m_grid);
    // Before the window shows, its size comes from its stored placement or from Align.
    connect(m_grid, &TEntryGrid::ValueColumnWidened, this, [this](int extra) {
        if (isVisible()) Widen(extra);
    });

    statusBar()->setSizeGripEnabled(false);
    // Two fixed panels and the solve's warnings and the file name, shown whole: beside the
    // panels when they fit there, on a line of their own under them when not.
    m_statusLine = new TStatusLine(static_cast<int>(kMessagePanel), kPanelWidth, this);
    statusBar()->addWidget(m_statusLine, 1);
    for (size_t panel = 0; panel < kMessagePanel; ++panel) m_panels[panel] = &m_statusLine->Fixed(static_cast<int>(panel));
    m_panels[kMessagePanel] = &m_statusLine->Message();
}

void TTechForm::SetSingleStatusPanel(int panel)
{
    if (panel < 0 || panel >= static_cast<int>(m_panels.size())) return;
    const QString text = m_panels[static_cast<size_t>(panel)]->text();
    m_statusLine->ShowMessageOnly();
    // The kept panel's texts go to the message panel, which is all the line shows now.
    std::swap(m_panels[static_cast<size_t>(panel)], m_panels[kMessagePanel]);
    SetStatusText(panel, text);
}

TTechForm::~TTechForm() = default;

QAction* TTechForm::MakeAction(TTechAction action, const QString& caption, const QString& hint)
{
    auto* qaction = new QAction(caption, this);
    qaction->setToolTip(hint.isEmpty() ? QString(caption).remove(u'&') : hint);
    const auto index = static_cast<size_t>(action);
    connect(qaction, &QAction::triggered, this, [this, index] {
        // A copy: the handler may replace itself.
        const std::function<void()> handler = m_handlers[index];
        if (handler) handler();
    });
    m_actions[index] = qaction;
    return qaction;
}

void TTechForm::SetHandler(TTechAction action, std::function<void()> handler)
{
    m_handlers[static_cast<size_t>(action)] = std::move(handler);
}

void TTechForm::ShowAction(TTechAction action, bool shown) { Action(action).setVisible(shown); }

void TTechForm::SetHelpDropDown()
{
    auto* button = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(&Action(TTechAction::Help)));
    if (!button) return;
    auto* menu = new QMenu(button);
    menu->addAction(tr("Help"), this, [this] { Action(TTechAction::Help).trigger(); });
    menu->addAction(tr("About"), this, [this] { Action(TTechAction::About).trigger(); });
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
}

QString TTechForm::StatusText(int panel) const
{
    return panel >= 0 && panel < static_cast<int>(m_panels.size()) ? m_panels[static_cast<size_t>(panel)]->text()
                                                                   : QString();
}

void TTechForm::SetStatusText(int panel, const QString& text)
{
    if (panel < 0 || panel >= static_cast<int>(m_panels.size())) return;
    QLabel& label = *m_panels[static_cast<size_t>(panel)];
    if (auto* message = qobject_cast<TMessagePanel*>(&label)) {
        message->SetMessage(text);
    } else {
        label.setText(text);
        label.setToolTip(text);
    }
}

void TTechForm::Widen(int extra)
{
    const QScreen* shownOn = screen();
    if (!shownOn) return;
    const QRect room = shownOn->availableGeometry();
    QRect frame = geometry();
    frame.setWidth(std::min(frame.width() + extra, room.width()));
    if (frame.right() > room.right()) frame.moveRight(room.right());
    setGeometry(frame);
}

void TTechForm::Align()
{
    TEntryGrid& grid = *m_grid;
    const TPropertyRows& rows = grid.Rows();
    int width = 0;
    for (int col = 0; col < rows.ColCount(); ++col) {
        const int colWidth = grid.FittedColWidth(col);
        grid.SetColWidth(col, colWidth);
        width += colWidth;
    }
    const int frame = 2 * grid.frameWidth();
    const int gridHeight = grid.horizontalHeader()->sizeHint().height() + (rows.RowCount() - 1) * grid.rowHeight(0);
    int height = gridHeight + frame + m_toolBar->sizeHint().height() + statusBar()->sizeHint().height() + 2;
    width += frame;
    if (height > kMaxAlignedHeight) {
        height = kMaxAlignedHeight;
        width += grid.verticalScrollBar()->sizeHint().width();
    }
    // Every toolbar button stays in view; however long a value, the window stays within the
    // screen.
    width = std::max(width, m_toolBar->sizeHint().width());
    if (const QScreen* shownOn = screen()) width = std::min(width, shownOn->availableGeometry().width());
    resize(width, height);
}

std::string TTechForm::XmlOfRows(const TPropertyRows& rows)
{
    pugi::xml_document document;
    document.append_child(pugi::node_declaration).append_attribute("version") = "1.0";
    document.append_child(pugi::node_doctype)
        .set_value("html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                   "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\"");
    pugi::xml_node root = document.append_child(XmlName(rows.Cell(1, 1)).c_str());
    for (int row = 2; row < rows.RowCount(); ++row) {
        pugi::xml_node element = root.append_child(XmlName(rows.Cell(0, row)).c_str());
        element.append_attribute("Units") = rows.Cell(2, row).c_str();
        element.text() = rows.Cell(1, row).c_str();
    }
    // A root without rows still opens and closes on lines of their own.
    if (!root.first_child()) root.text() = "\n";
    TStringWriter text;
    document.save(text, "  ", pugi::format_indent | pugi::format_no_empty_element_tags | pugi::format_no_declaration,
                  pugi::encoding_utf8);
    // The text ends with the root's closing tag, without a line break after it.
    if (text.Text.ends_with(kBreak)) text.Text.resize(text.Text.size() - kBreak.size());
    return text.Text;
}

QString TTechForm::CopyToXml()
{
    m_grid->CommitEdit();
    const QString text = ToQString(XmlOfRows(m_grid->Rows()));
    QApplication::clipboard()->setText(text);
    return text;
}

QString TTechForm::ClipFileName()
{
    const QString name = ToQString(kProgramName) + QStringLiteral(".jpg");
    const QFileInfo programFolder(QString::fromStdString(ProgramFolder().string()));
    if (programFolder.isDir() && programFolder.isWritable()) return programFolder.absoluteFilePath() + u'/' + name;
    const TDataFolder data = EnsureDataFolder();
    if (!data.Result) return {};
    return QString::fromStdString(data.Folder.string()) + name;
}

QString TTechForm::ClipScreen()
{
    QWidget* window = QApplication::activeWindow();
    if (!window) window = this;
    const QImage picture = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QApplication::clipboard()->setImage(picture);
    const QString fileName = ClipFileName();
    if (fileName.isEmpty()) {
        ShowMessageText(ToQString(kNoDocumentsFolderMessage), true);
        return {};
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "JPG", kClipQuality)) {
        ShowMessageText(tr("Unable to write to %1").arg(fileName), true);
        return {};
    }
    // Through the program's one save path, like every file it writes.
    const std::string_view bytes(jpeg.constData(), static_cast<size_t>(jpeg.size()));
    const TResult written = WriteFileAtomically(ToStdString(fileName), bytes);
    if (!written) {
        ShowMessageText(ToQString(written.Message), true);
        return {};
    }
    return fileName;
}

void TTechForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) m_grid->CommitEdit();
    QMainWindow::changeEvent(event);
}

void TTechForm::contextMenuEvent(QContextMenuEvent* event) { m_windowMenu->popup(event->globalPos()); }

void TTechForm::ShowMessageText(const QString& text, bool error)
{
    m_prompts->ShowMessage(text, error ? TMessageKind::Error : TMessageKind::Information);
}

}  // namespace vantor

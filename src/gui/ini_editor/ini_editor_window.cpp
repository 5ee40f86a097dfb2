#include "gui/ini_editor/ini_editor_window.h"

#include "gui/ini_editor/find_replace_dialog.h"
#include "gui/common/form_placement.h"
#include "gui/common/prompts.h"
#include "gui/common/qt_text.h"
#include "settings/edited_file.h"
#include "settings/folders.h"

#include "vantor_version.h"

#include <Qsci/qscilexerproperties.h>
#include <Qsci/qscilexerxml.h>
#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>

#include <QColorDialog>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace vantor {

namespace {

constexpr std::string_view kSection = "IniEditorForm";
const QString kFileFilter = QStringLiteral("Text Files (*.ini *.txt);;All Files (*)");
constexpr int kLineNumberMargin = 0;
constexpr qint64 kLargestFile = 64 * 1024 * 1024;  // no data file of the program comes near it

// The editor component, taking dropped files for the window rather than as text.
class TEditorView : public QsciScintilla {
public:
    using QsciScintilla::QsciScintilla;
    std::function<void(const QStringList&)> OnFilesDropped;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (event->mimeData()->hasUrls())
            event->acceptProposedAction();
        else
            QsciScintilla::dragEnterEvent(event);
    }
    void dragMoveEvent(QDragMoveEvent* event) override
    {
        if (event->mimeData()->hasUrls())
            event->acceptProposedAction();
        else
            QsciScintilla::dragMoveEvent(event);
    }
    void dropEvent(QDropEvent* event) override
    {
        if (!event->mimeData()->hasUrls()) return QsciScintilla::dropEvent(event);
        QStringList files;
        for (const QUrl& url : event->mimeData()->urls())
            if (url.isLocalFile()) files << url.toLocalFile();
        event->acceptProposedAction();
        if (OnFilesDropped && !files.isEmpty()) OnFilesDropped(files);
    }
};

// A line break ends each line; the blanks before it go.
QString WithoutTrailingBlanks(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const bool crlf = line.endsWith(QLatin1Char('\r'));
        qsizetype end = line.size() - (crlf ? 1 : 0);
        while (end > 0 && (line[end - 1] == QLatin1Char(' ') || line[end - 1] == QLatin1Char('\t'))) --end;
        line = line.left(end) + (crlf ? QStringLiteral("\r") : QString());
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

TIniEditorForm::TIniEditorForm(const QString& web, QWidget* parent)
    : QDialog(parent),
      m_web(web),
      m_menuBar(new QMenuBar(this)),
      m_editor(new TEditorView(this)),
      m_status(new QLabel(tr("Ready.."), this)),
      m_find(new TFindReplaceDialog(this)),
      m_printer(new QsciPrinter(QPrinter::HighResolution))
{
    setObjectName(ToQString(kSection));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    setSizeGripEnabled(true);
    resize(640, 480);
    setWindowTitle(QStringLiteral("%1 %2").arg(QString::fromUtf8(kProductName), QString::fromUtf8(kFileVersion)));
    m_prompts = std::make_shared<TDialogPrompts>(this);
    m_dialogFolder = ToQString(ProgramFolder().string());

    auto* view = static_cast<TEditorView*>(m_editor);
    view->OnFilesDropped = [this](const QStringList& files) { OpenDroppedFiles(files); };
    m_editor->setUtf8(true);
    m_editor->setAutoIndent(true);
    m_editor->setIndentationsUseTabs(false);
    m_editor->setTabWidth(4);
    m_editor->setMarginType(kLineNumberMargin, QsciScintilla::NumberMargin);
    m_editor->setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 10));
    ChooseLexer();
    SetLineNumbers(true);
    connect(m_editor, &QsciScintilla::textChanged, this, [this] {
        if (!m_loading) SetModified(true);
    });
    connect(m_editor, &QsciScintilla::linesChanged, this, [this] {
        if (LineNumbersShown()) SetLineNumbers(true);
    });

    auto* toolBar = new QToolBar(this);
    auto* statusBar = new QStatusBar(this);
    statusBar->addWidget(m_status, 1);
    statusBar->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(toolBar);
    layout->addWidget(m_editor, 1);
    layout->addWidget(statusBar);
    SetUpMenus();

    const auto addTool = [this, toolBar](const QString& text, const QString& hint, QStyle::StandardPixmap icon,
                                         auto slot) {
        QAction* action = toolBar->addAction(style()->standardIcon(icon), text, this, slot);
        action->setToolTip(hint);
    };
    addTool(tr("New"), tr("Start new file"), QStyle::SP_FileIcon, &TIniEditorForm::NewFile);
    addTool(tr("Open"), tr("Open a file"), QStyle::SP_DialogOpenButton, &TIniEditorForm::OpenFile);
    addTool(tr("Save"), tr("Save the file"), QStyle::SP_DialogSaveButton, [this] { Save(); });
    toolBar->addSeparator();
    toolBar->addAction(tr("Cut"), m_editor, &QsciScintilla::cut)->setToolTip(tr("Cut"));
    toolBar->addAction(tr("Copy"), m_editor, &QsciScintilla::copy)->setToolTip(tr("Copy"));
    toolBar->addAction(tr("Paste"), m_editor, &QsciScintilla::paste)->setToolTip(tr("Paste"));

    connect(m_find, &TFindReplaceDialog::FindNext, this, [this] { FindNext(); });
    connect(m_find, &TFindReplaceDialog::ReplaceOne, this, [this] { ReplaceOne(); });
    connect(m_find, &TFindReplaceDialog::ReplaceAll, this, [this] { ReplaceAll(); });

    RestoreProgramPlacement(*this, kSection);
}

TIniEditorForm::~TIniEditorForm() { delete m_printer; }

void TIniEditorForm::SetUpMenus()
{
    QMenu* file = m_menuBar->addMenu(tr("&File"));
    QAction* newFile = file->addAction(tr("&New"), this, &TIniEditorForm::NewFile);
    newFile->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    file->addAction(tr("&Open..."), this, &TIniEditorForm::OpenFile)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addAction(tr("&Save"), this, [this] { Save(); })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addAction(tr("Save &As.."), this, [this] { SaveAs(); });
    file->addSeparator();
    file->addAction(tr("Print Set&up..."), this, &TIniEditorForm::PrintSetup);
    file->addAction(tr("&Print"), this, &TIniEditorForm::Print)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &QDialog::close);

    QMenu* edit = m_menuBar->addMenu(tr("&Edit"));
    edit->addAction(tr("Cu&t"), m_editor, &QsciScintilla::cut)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    edit->addAction(tr("&Copy"), m_editor, &QsciScintilla::copy)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    edit->addAction(tr("&Paste"), m_editor, &QsciScintilla::paste)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    edit->addAction(tr("Select &All"), m_editor, [this] { m_editor->selectAll(true); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    edit->addAction(tr("&Undo"), m_editor, &QsciScintilla::undo)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));

    QMenu* search = m_menuBar->addMenu(tr("&Search"));
    search->addAction(tr("&Find"), this, &TIniEditorForm::ShowFind)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    search->addAction(tr("&Replace"), this, &TIniEditorForm::ShowReplace);
    QAction* again = search->addAction(tr("Find &Next"), this, [this] { FindNext(); });
    again->setShortcut(QKeySequence(Qt::Key_F3));

    QMenu* view = m_menuBar->addMenu(tr("&View"));
    view->addAction(tr("&Line Count"), this, &TIniEditorForm::ShowLineCount);
    m_lineNumbers = view->addAction(tr("Line &Numbers"), this, &TIniEditorForm::SetLineNumbers);
    m_lineNumbers->setCheckable(true);
    m_lineNumbers->setChecked(LineNumbersShown());

    QMenu* help = m_menuBar->addMenu(tr("&Help"));
    help->addAction(tr("Select &Background Color..."), this, &TIniEditorForm::ChooseBackgroundColor);
    help->addAction(tr("&Browse Web Site"), this, &TIniEditorForm::BrowseWebSite)->setEnabled(!m_web.isEmpty());

    // The editor has the keyboard: its own bindings must not shadow the menus'.
    for (QAction* action : findChildren<QAction*>()) action->setShortcutContext(Qt::WindowShortcut);
}

QAction* TIniEditorForm::ActionNamed(const QString& text) const
{
    for (QAction* action : findChildren<QAction*>())
        if (action->text() == text) return action;
    return nullptr;
}

void TIniEditorForm::ChooseLexer()
{
    const QColor paper = m_editor->lexer() ? m_editor->lexer()->defaultPaper() : m_editor->paper();
    QsciLexer* lexer = nullptr;
    if (m_fileName.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        lexer = new QsciLexerXML(m_editor);
    else
        lexer = new QsciLexerProperties(m_editor);
    lexer->setDefaultFont(m_editor->font());
    lexer->setFont(m_editor->font(), -1);
    QsciLexer* previous = m_editor->lexer();
    m_editor->setLexer(lexer);
    delete previous;
    SetBackgroundColor(paper);
}

void TIniEditorForm::ShowCaption()
{
    if (!m_fileName.isEmpty()) setWindowTitle(m_fileName);
}

void TIniEditorForm::LoadText()
{
    if (m_fileName.isEmpty() || !QFileInfo(m_fileName).isFile()) return;
    QFile file(m_fileName);
    if (file.size() > kLargestFile) {
        m_prompts->ShowMessage(tr("%1 is too large to edit here").arg(m_fileName), TMessageKind::Warning);
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_prompts->ShowMessage(tr("Unable to read %1").arg(m_fileName), TMessageKind::Warning);
        return;
    }
    m_loading = true;
    ChooseLexer();
    m_editor->setText(QString::fromUtf8(file.readAll()));
    m_loading = false;
    ShowCaption();
    SetModified(false);
}

bool TIniEditorForm::SaveText()
{
    std::filesystem::path savedAs;
    const QString text = WithoutTrailingBlanks(m_editor->text());
    const TResult saved = SaveEditedText(m_fileName.toStdString(), ToStdString(text), savedAs);
    if (!saved) {
        m_prompts->ShowMessage(ToQString(saved.Message), TMessageKind::Warning);
        return false;
    }
    m_fileName = ToQString(savedAs.string());
    if (text != m_editor->text()) {
        // The trimmed text stays where the user was.
        int line = 0;
        int index = 0;
        m_editor->getCursorPosition(&line, &index);
        m_loading = true;
        m_editor->setText(text);
        m_loading = false;
        m_editor->setCursorPosition(line, std::min(index, m_editor->lineLength(line)));
    }
    ShowCaption();
    SetModified(false);
    m_savedSinceShown = true;
    return true;
}

void TIniEditorForm::SetModified(bool modified)
{
    m_modified = modified;
    m_status->setText(modified ? tr("Modified...") : tr("Ready..."));
}

QString TIniEditorForm::StatusText() const { return m_status->text(); }

void TIniEditorForm::NewFile()
{
    if (!ConfirmClose()) return;
    // A new text has no file yet: a save asks for a name rather than replacing the file that
    // was open with it.
    m_editor->clear();
    m_fileName.clear();
    ChooseLexer();
    setWindowTitle(QStringLiteral("%1 %2").arg(QString::fromUtf8(kProductName), QString::fromUtf8(kFileVersion)));
}

QString TIniEditorForm::ChooseFile(bool save)
{
    return m_prompts->ChooseFile({save ? TFileAccess::Save : TFileAccess::Open, save ? tr("Save As") : tr("Open"),
                                  kFileFilter, m_dialogFolder, m_fileName});
}

void TIniEditorForm::OpenFile()
{
    const QString chosen = ChooseFile(false);
    if (chosen.isEmpty()) return;
    m_fileName = chosen;
    m_dialogFolder = QFileInfo(chosen).absolutePath();
    LoadText();
}

bool TIniEditorForm::Save()
{
    if (m_fileName.isEmpty()) return SaveAs();
    return SaveText();
}

bool TIniEditorForm::SaveAs()
{
    const QString chosen = ChooseFile(true);
    if (chosen.isEmpty()) return false;
    m_fileName = chosen;
    m_dialogFolder = QFileInfo(chosen).absolutePath();
    ChooseLexer();
    return SaveText();
}

void TIniEditorForm::OpenDroppedFiles(const QStringList& files)
{
    if (files.isEmpty()) return;
    m_fileName = files.front();
    LoadText();
}

void TIniEditorForm::PrintSetup()
{
    QPageSetupDialog dialog(m_printer, this);
    dialog.exec();
}

void TIniEditorForm::Print()
{
    QPrintDialog dialog(m_printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_printer->setDocName(m_fileName.isEmpty() ? windowTitle() : QFileInfo(m_fileName).fileName());
    m_printer->printRange(m_editor);
}

void TIniEditorForm::ShowFind()
{
    if (m_editor->hasSelectedText() && !m_editor->selectedText().contains(QLatin1Char('\n')))
        m_find->FindEdit().setText(m_editor->selectedText());
    m_find->ShowFind();
}

void TIniEditorForm::ShowReplace()
{
    if (m_editor->hasSelectedText() && !m_editor->selectedText().contains(QLatin1Char('\n')))
        m_find->FindEdit().setText(m_editor->selectedText());
    m_find->ShowReplace();
}

bool TIniEditorForm::FindNext()
{
    const TFindRequest request = m_find->Request();
    if (request.Text.isEmpty()) return false;
    // Forward from the end of the selection, backward from its start, so the found text is
    // never found again in place.
    int lineFrom = 0, indexFrom = 0, lineTo = 0, indexTo = 0;
    m_editor->getSelection(&lineFrom, &indexFrom, &lineTo, &indexTo);
    if (lineFrom < 0) {
        m_editor->getCursorPosition(&lineFrom, &indexFrom);
        lineTo = lineFrom;
        indexTo = indexFrom;
    }
    const int line = request.Forward ? lineTo : lineFrom;
    const int index = request.Forward ? indexTo : indexFrom;
    const bool found = m_editor->findFirst(request.Text, false, request.MatchCase, request.WholeWord, false,
                                           request.Forward, line, index);
    m_find->SetNote(found ? QString() : tr("Cannot find \"%1\"").arg(request.Text));
    return found;
}

bool TIniEditorForm::ReplaceOne()
{
    const TFindRequest request = m_find->Request();
    if (request.Text.isEmpty()) return false;
    const Qt::CaseSensitivity cs = request.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (m_editor->hasSelectedText() && m_editor->selectedText().compare(request.Text, cs) == 0)
        m_editor->replaceSelectedText(m_find->ReplaceText());
    return FindNext();
}

int TIniEditorForm::ReplaceAll()
{
    const TFindRequest request = m_find->Request();
    if (request.Text.isEmpty()) return 0;
    int count = 0;
    m_editor->beginUndoAction();
    // From the top; each replacement continues after the text it put in, so a replacement
    // holding the text looked for is not replaced again.
    bool found = m_editor->findFirst(request.Text, false, request.MatchCase, request.WholeWord, false, true, 0, 0);
    while (found) {
        m_editor->replace(m_find->ReplaceText());
        ++count;
        found = m_editor->findNext();
    }
    m_editor->endUndoAction();
    m_find->SetNote(tr("%n replacement(s)", nullptr, count));
    return count;
}

int TIniEditorForm::LineCount() const { return TextLineCount(ToStdString(m_editor->text())); }

void TIniEditorForm::ShowLineCount()
{
    m_prompts->ShowMessage(tr("Line Count: %1").arg(LineCount()), TMessageKind::Information);
}

void TIniEditorForm::SetLineNumbers(bool shown)
{
    // Room for the last line's number and a digit more, five digits at least.
    const int digits = std::max(5, static_cast<int>(QString::number(m_editor->lines()).size()) + 1);
    m_editor->setMarginWidth(kLineNumberMargin, shown ? QString(digits, QLatin1Char('0')) : QString());
    if (!shown) m_editor->setMarginWidth(kLineNumberMargin, 0);
    if (m_lineNumbers) m_lineNumbers->setChecked(shown);
}

bool TIniEditorForm::LineNumbersShown() const { return m_editor->marginWidth(kLineNumberMargin) > 0; }

void TIniEditorForm::SetBackgroundColor(const QColor& color)
{
    if (!color.isValid()) return;
    m_editor->setPaper(color);
    if (QsciLexer* lexer = m_editor->lexer()) {
        lexer->setDefaultPaper(color);
        lexer->setPaper(color, -1);
    }
}

void TIniEditorForm::ChooseBackgroundColor()
{
    const QColor present = m_editor->lexer() ? m_editor->lexer()->defaultPaper() : m_editor->paper();
    const QColor chosen = QColorDialog::getColor(present, this, tr("Background Color"));
    SetBackgroundColor(chosen);
}

void TIniEditorForm::BrowseWebSite()
{
    if (m_web.isEmpty()) return;
    QUrl url = QUrl::fromUserInput(m_web);
    if (!QDesktopServices::openUrl(url))
        m_prompts->ShowMessage(tr("Could not open %1").arg(m_web), TMessageKind::Warning);
}

bool TIniEditorForm::ConfirmClose()
{
    if (!m_modified) return true;
    const QString name = m_fileName.isEmpty() ? QString() : m_fileName;
    switch (m_prompts->Ask(ToQString(UnsavedQuestion(name.toStdString())))) {
    case TAnswer::Cancel:
        return false;
    case TAnswer::Yes:
        return Save();
    case TAnswer::No:
        return true;
    }
    return true;
}

void TIniEditorForm::done(int /*result*/)
{
    if (!ConfirmClose()) return;
    m_find->hide();
    SaveProgramPlacement(*this, kSection);
    QDialog::done(QDialog::Accepted);
}

void TIniEditorForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_savedSinceShown = false;
    m_editor->setFocus();
}

}  // namespace vantor

#pragma once

// The INI editor, "INI File Editor": a plain-text editor for the program's data files (INI
// colouring, XML colouring for ".xml" such as the coil makers catalogue), with its menus,
// toolbar, find and replace, printing, line numbers and a chosen background. Created once
// at start-up and shown modally; it keeps its text between showings and always closes with
// the result OK, after asking about unsaved work.
//
// A save of an installed data file (read-only) writes the user's copy, which the program
// reads from then on; FileName then names that copy.

#include <QDialog>
#include <QString>

#include <memory>

class QAction;
class QLabel;
class QMenuBar;
class QPrinter;
class QsciScintilla;
class QsciPrinter;

namespace vantor {

class TFindReplaceDialog;
class TPrompts;

class TIniEditorForm : public QDialog {
    Q_OBJECT

public:
    // web: the maker's web address ("&Browse Web Site").
    explicit TIniEditorForm(const QString& web = {}, QWidget* parent = nullptr);
    ~TIniEditorForm() override;

    const QString& FileName() const { return m_fileName; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    bool Modified() const { return m_modified; }
    bool SavedSinceShown() const { return m_savedSinceShown; }

    // Loads FileName when it names an existing file; a missing file is skipped.
    void LoadText();
    // Writes the text to FileName (the user's copy for an installed file); false, with the
    // file error shown, when it could not be written.
    bool SaveText();
    void SetModified(bool modified);

    // The commands of the menus and toolbar. New empties the text and forgets the file name,
    // after the unsaved-work question.
    void NewFile();
    void OpenFile();
    bool Save();
    bool SaveAs();
    void Print();
    void PrintSetup();
    void ShowFind();
    void ShowReplace();
    // Searches with the find dialog's request; false when nothing was found.
    bool FindNext();
    // Replaces the found text (when the selection holds it) and finds the next.
    bool ReplaceOne();
    int ReplaceAll();
    int LineCount() const;
    void ShowLineCount();
    void SetLineNumbers(bool shown);
    bool LineNumbersShown() const;
    void SetBackgroundColor(const QColor& color);
    void ChooseBackgroundColor();
    void BrowseWebSite();

    // The unsaved-work question; true when the window may close (Yes saved, or No).
    bool ConfirmClose();

    QsciScintilla& Editor() const { return *m_editor; }
    TFindReplaceDialog& FindDialog() const { return *m_find; }
    QString StatusText() const;
    // The catalogue's window asks for the action by its menu text.
    QAction* ActionNamed(const QString& text) const;

    // The unsaved-work question, the file dialogs, file errors and notes ("Line Count");
    // message boxes and file dialogs unless replaced.
    TPrompts& Prompts() const { return *m_prompts; }
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }

public slots:
    void done(int result) override;
    // The first file of a drop becomes FileName and is loaded.
    void OpenDroppedFiles(const QStringList& files);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetUpMenus();
    void ChooseLexer();
    void ShowCaption();
    QString ChooseFile(bool save);

    QString m_web;
    QString m_fileName;
    QString m_dialogFolder;
    bool m_modified = false;
    bool m_savedSinceShown = false;
    bool m_loading = false;
    QMenuBar* m_menuBar;
    QsciScintilla* m_editor;
    QLabel* m_status;
    TFindReplaceDialog* m_find;
    QsciPrinter* m_printer;
    QAction* m_lineNumbers = nullptr;
    std::shared_ptr<TPrompts> m_prompts;
};

}  // namespace vantor

// The INI editor: line counting, the status line, find and replace, the unsaved-work
// question and the save that asks for a name.

#include "gui/ini_editor/find_replace_dialog.h"
#include "gui/ini_editor/ini_editor_window.h"
#include "gui/gui_test_helpers.h"
#include "gui/gui_test_main.h"
#include "gui/text_fits.h"
#include "gui/scripted_prompts.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace vantor;
using namespace vantor::test;

class IniEditorFormTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void init() { vantor::test::ClearSettings(); }

    void lineCountAndStatus()
    {
        TIniEditorForm editor;
        const auto prompts = ScriptPrompts(editor);
        const QStringList& notes = prompts->Messages;
        QCOMPARE(editor.StatusText(), QStringLiteral("Ready.."));
        editor.ShowLineCount();
        QCOMPARE(notes.last(), QStringLiteral("Line Count: 0"));

        editor.Editor().setText(QStringLiteral("[Units]\nSystem=Metric\n"));
        QVERIFY(editor.Modified());
        QCOMPARE(editor.StatusText(), QStringLiteral("Modified..."));
        editor.ShowLineCount();
        QCOMPARE(notes.last(), QStringLiteral("Line Count: 2"));

        editor.SetLineNumbers(false);
        QVERIFY(!editor.LineNumbersShown());
        editor.SetLineNumbers(true);
        QVERIFY(editor.LineNumbersShown());
    }

    // A catalogue of 219978 lines: the margin shows the last line's number whole and grows
    // with the text.
    void textFits()
    {
        VANTOR_SKIP_UNLESS_TEXT_FITS_SCREEN();
        TIniEditorForm editor;
        QVERIFY(ShowExposed(editor));
        QsciScintilla& text = editor.Editor();
        const auto numberWidth = [&text](const char* number) {
            return int(text.SendScintilla(QsciScintilla::SCI_TEXTWIDTH, QsciScintilla::STYLE_LINENUMBER, number));
        };
        text.setText(QStringLiteral("[Typical]\n"));
        const int shortMargin = text.marginWidth(0);
        QVERIFY(shortMargin > numberWidth("2"));
        text.setText(QStringLiteral("Model=5/8 inch heavy duty\n").repeated(219977));
        QCOMPARE(text.lines(), 219978);
        QVERIFY2(text.marginWidth(0) > numberWidth("219978"),
                 qPrintable(QStringLiteral("margin %1 px").arg(text.marginWidth(0))));
        QVERIFY(text.marginWidth(0) > shortMargin);
        VANTOR_VERIFY_TEXT_FITS(editor);
        editor.SetLineNumbers(false);
        QVERIFY(!editor.LineNumbersShown());
        text.append(QStringLiteral("x=1\n"));
        QVERIFY(!editor.LineNumbersShown());
        editor.SetModified(false);
    }

    void findAndReplace()
    {
        TIniEditorForm editor;
        editor.Editor().setText(QStringLiteral("alpha Alpha alphabet\nalpha\n"));
        editor.Editor().setCursorPosition(0, 0);
        TFindReplaceDialog& find = editor.FindDialog();
        find.FindEdit().setText(QStringLiteral("alpha"));
        find.MatchCaseBox().setChecked(true);
        find.WholeWordBox().setChecked(true);

        QVERIFY(editor.FindNext());
        int line = 0, index = 0, lineTo = 0, indexTo = 0;
        editor.Editor().getSelection(&line, &index, &lineTo, &indexTo);
        QCOMPARE(QPoint(line, index), QPoint(0, 0));
        QVERIFY(editor.FindNext());  // "Alpha" (case) and "alphabet" (whole word) passed by
        editor.Editor().getSelection(&line, &index, &lineTo, &indexTo);
        QCOMPARE(QPoint(line, index), QPoint(1, 0));
        QVERIFY(!editor.FindNext());

        // Upward from the second line finds the first.
        find.UpButton().setChecked(true);
        QVERIFY(editor.FindNext());
        editor.Editor().getSelection(&line, &index, &lineTo, &indexTo);
        QCOMPARE(QPoint(line, index), QPoint(0, 0));

        // Replace All without match case: every whole word, the replacement holding the word
        // replaced once.
        find.MatchCaseBox().setChecked(false);
        find.ReplaceEdit().setText(QStringLiteral("alpha beta"));
        QCOMPARE(editor.ReplaceAll(), 3);
        QCOMPARE(editor.Editor().text(), QStringLiteral("alpha beta alpha beta alphabet\nalpha beta\n"));
        editor.Editor().undo();
        QCOMPARE(editor.Editor().text(), QStringLiteral("alpha Alpha alphabet\nalpha\n"));
    }

    void closingWithNoKeepsTheFileAndReturnsOk()
    {
        const QString path = m_folder.filePath(QStringLiteral("units.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[A]\nx=1\n");
        file.close();

        TIniEditorForm editor;
        editor.SetFileName(path);
        editor.LoadText();
        QCOMPARE(editor.windowTitle(), path);
        QVERIFY(!editor.Modified());
        editor.Editor().append(QStringLiteral("y=2\n"));
        const auto prompts = ScriptPrompts(editor);
        editor.show();
        editor.close();
        QCOMPARE(prompts->Questions, QStringList{QStringLiteral("units.ini not saved.\nSave now?")});
        QVERIFY(editor.isVisible());  // Cancel keeps it open

        prompts->Answers = {TAnswer::No};
        editor.close();
        QVERIFY(!editor.isVisible());
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(ReadFile(path), QByteArray("[A]\nx=1\n"));

        // Yes saves, blanks at the line ends trimmed.
        editor.show();
        editor.Editor().setText(QStringLiteral("[A]  \nx=3\t\n"));
        prompts->Answers = {TAnswer::Yes};
        editor.close();
        QCOMPARE(ReadFile(path), QByteArray("[A]\nx=3\n"));
        QVERIFY(editor.SavedSinceShown());
    }

    void savingANewTextAsksForAName()
    {
        TIniEditorForm editor;
        editor.Editor().setText(QStringLiteral("[New]\n"));
        const QString path = m_folder.filePath(QStringLiteral("new.ini"));
        const auto prompts = ScriptPrompts(editor);
        prompts->Files << path;
        QVERIFY(editor.Save());
        QCOMPARE(prompts->FileDialogs(), 1);
        QVERIFY(prompts->Requests.back().Access == TFileAccess::Save);
        QCOMPARE(editor.FileName(), path);
        QCOMPARE(ReadFile(path), QByteArray("[New]\n"));
        QCOMPARE(editor.StatusText(), QStringLiteral("Ready..."));

        // A dropped file is loaded.
        const QString other = m_folder.filePath(QStringLiteral("other.txt"));
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("dropped\n");
        file.close();
        editor.OpenDroppedFiles({other, path});
        QCOMPARE(editor.FileName(), other);
        QCOMPARE(editor.Editor().text(), QStringLiteral("dropped\n"));

        // New forgets the file, so saving the new text cannot replace the one that was open.
        editor.NewFile();
        QVERIFY(editor.FileName().isEmpty());
        editor.Editor().setText(QStringLiteral("fresh\n"));
        prompts->Files << path;
        QVERIFY(editor.Save());
        QCOMPARE(prompts->FileDialogs(), 2);
        QCOMPARE(ReadFile(other), QByteArray("dropped\n"));
        QVERIFY(prompts->Questions.isEmpty());
    }

    // New on unsaved work asks first: Cancel keeps the text, No gives it up.
    void newAsksAboutUnsavedWork()
    {
        TIniEditorForm editor;
        const auto prompts = ScriptPrompts(editor);
        editor.Editor().setText(QStringLiteral("[Kept]\n"));
        editor.NewFile();
        QCOMPARE(prompts->Questions.size(), 1);
        QCOMPARE(editor.Editor().text(), QStringLiteral("[Kept]\n"));

        prompts->Answers = {TAnswer::No};
        editor.NewFile();
        QCOMPARE(prompts->Questions.size(), 2);
        QVERIFY(editor.Editor().text().isEmpty());
        QVERIFY(prompts->Files.isEmpty() && prompts->Requests.empty());
    }
};

VANTOR_GUI_TEST_MAIN(IniEditorFormTest)
#include "ini_editor_window_test.moc"

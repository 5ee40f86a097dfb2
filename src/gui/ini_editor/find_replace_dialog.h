#pragma once

// The find and replace dialog of the text editor: one modeless window in two modes. Find
// shows the text to look for, match case, whole word and the direction; Replace adds the
// replacement with "Replace" and "Replace All". Both modes share the text looked for, so
// Find starts with the text Replace last used and the other way round. The dialog only asks;
// the editor searches.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vantor {

struct TFindRequest {
    QString Text;
    bool MatchCase = false;
    bool WholeWord = false;
    bool Forward = true;
};

class TFindReplaceDialog : public QDialog {
    Q_OBJECT

public:
    explicit TFindReplaceDialog(QWidget* parent = nullptr);

    // Shows the dialog in one mode, its text field focused and selected.
    void ShowFind();
    void ShowReplace();

    TFindRequest Request() const;
    QString ReplaceText() const;

    QLineEdit& FindEdit() const { return *m_findEdit; }
    QLineEdit& ReplaceEdit() const { return *m_replaceEdit; }
    QCheckBox& MatchCaseBox() const { return *m_matchCase; }
    QCheckBox& WholeWordBox() const { return *m_wholeWord; }
    QRadioButton& UpButton() const { return *m_up; }

    // The outcome of the last command, shown under the buttons ("Not found").
    void SetNote(const QString& note);

signals:
    void FindNext();
    void ReplaceOne();
    void ReplaceAll();

private:
    void SetMode(bool replace);

    QLineEdit* m_findEdit;
    QLineEdit* m_replaceEdit;
    QLabel* m_replaceLabel;
    QCheckBox* m_matchCase;
    QCheckBox* m_wholeWord;
    QRadioButton* m_up;
    QRadioButton* m_down;
    QPushButton* m_findButton;
    QPushButton* m_replaceButton;
    QPushButton* m_replaceAllButton;
    QLabel* m_note;
};

}  // namespace vantor

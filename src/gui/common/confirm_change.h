#pragma once

// The "Install notice" window of the start-up merge of INI data files: the user's section
// above, the newly installed one below, and the four answers. "Use install data" is the
// default button; Escape answers "&Decide later"; closing the window another way answers
// TInstallChoice::Closed, which the merge takes as the last choice made for the file.

#include "ini/ini_file_merger.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QSplitter;

namespace vantor {

class TConfirmChangeDlg : public QDialog, public IInstallNotice {
    Q_OBJECT

public:
    explicit TConfirmChangeDlg(QWidget* parent = nullptr);

    // Shows the two sections and waits for the answer.
    TInstallChoice Ask(const std::string& caption, const std::string& userSection,
                       const std::string& installSection) override;
    TInstallChoice Choice() const { return m_choice; }

    QPlainTextEdit& UserMemo() const { return *m_userMemo; }
    QPlainTextEdit& InstallMemo() const { return *m_installMemo; }
    QPushButton& KeepButton() const { return *m_keep; }
    QPushButton& InstallButton() const { return *m_install; }
    QPushButton& DecideLaterButton() const { return *m_decideLater; }
    QPushButton& AcceptAllButton() const { return *m_acceptAll; }
    QSplitter& Splitter() const { return *m_splitter; }

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* AddAnswer(const QString& caption, const QString& hint, TInstallChoice choice);
    void Answer(TInstallChoice choice);

    QPlainTextEdit* m_userMemo;
    QPlainTextEdit* m_installMemo;
    QPushButton* m_keep;
    QPushButton* m_install;
    QPushButton* m_decideLater;
    QPushButton* m_acceptAll;
    QSplitter* m_splitter;
    TInstallChoice m_choice = TInstallChoice::Closed;
};

}  // namespace vantor

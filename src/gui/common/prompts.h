#pragma once

// How a window asks the user something: a question answered Yes, No or Cancel, the choice of
// a file to open or save, and a message. Windows hold a TPrompts and open no message box or
// file dialog of their own, so a test answers them with a scripted one; TDialogPrompts is the
// program's, with QMessageBox and QFileDialog.

#include "document/document_observer.h"

#include <QString>

class QWidget;

namespace vantor {

enum class TFileAccess { Open, Save };

struct TFileRequest {
    TFileAccess Access = TFileAccess::Open;
    QString Caption;
    QString Filter;    // "PNG picture (*.png);;PDF document (*.pdf)"
    QString Folder;    // where the dialog starts
    QString FileName;  // the name offered; a folder in it overrides Folder
    // A save dialog asks before it lets an existing file be chosen, unless the window asks
    // that question itself.
    bool ConfirmOverwrite = true;
};

class TPrompts {
public:
    virtual ~TPrompts() = default;
    virtual TAnswer Ask(const QString& question) = 0;
    // The chosen file's path; empty when the user cancelled.
    virtual QString ChooseFile(const TFileRequest& request) = 0;
    virtual void ShowMessage(const QString& text, TMessageKind kind) = 0;
};

class TDialogPrompts final : public TPrompts {
public:
    // The boxes are centred on parent and titled `title`, or the parent's title at the time
    // of asking when that is empty.
    explicit TDialogPrompts(QWidget* parent, QString title = {});

    TAnswer Ask(const QString& question) override;
    // A name typed without extension into a save dialog gets the chosen filter's.
    QString ChooseFile(const TFileRequest& request) override;
    void ShowMessage(const QString& text, TMessageKind kind) override;

private:
    QString Title() const;

    QWidget* m_parent;
    QString m_title;
};

// The name a save dialog returns, completed by the chosen filter entry ("PDF document
// (*.pdf)"): a name without an extension, or with one none of the dialog's filters offers
// ("report.v2"), gets the entry's first extension; a dot in a folder name is no extension.
QString WithFilterExtension(const QString& fileName, const QString& chosenEntry, const QString& filters);

}  // namespace vantor

#pragma once

// Sends a message through the user's mail program: `xdg-email` opens the compose window of
// the desktop's mail program with the subject, the body, the copies and the attachments
// filled in; the user sends it from there. The sender's name and address are the mail
// program's own, so FromName and FromAdress only document who the message is from.
//
// Send starts the mail program and returns at once; how it ended arrives as OnSuccess or
// OnMapiError. When no mail program is set up (or xdg-email is missing) the user is told so.

#include <QObject>
#include <QStringList>

#include <memory>

namespace vantor {

class TPrompts;

class TMapiControl : public QObject {
    Q_OBJECT

public:
    // Result codes of Send.
    static constexpr int kSent = 0;
    static constexpr int kNotSupported = 26;

    explicit TMapiControl(QWidget* window = nullptr);

    QString Subject;
    QString Body;
    QString FromName;
    QString FromAdress;
    QStringList Recipients;
    QStringList CopyTo;
    QStringList BlindCopyTo;
    QStringList AttachedFiles;
    bool ShowDialog = false;
    // The mail command; tests put a script of their own here.
    QString Program = QStringLiteral("xdg-email");

    // The attached files' names without folders, as of the last send.
    const QStringList& DisplayFileName() const { return m_displayFileName; }
    // The mail command's arguments for the present properties.
    QStringList Arguments() const;

    // kSent when the mail program was started, kNotSupported when it could not be.
    int Send();

    static QString NoMailProgramText();

    // The failures go through the prompts; tests script them.
    void SetPrompts(std::shared_ptr<TPrompts> prompts) { m_prompts = std::move(prompts); }

signals:
    void OnSuccess();
    void OnMapiError(int errorCode);

private:
    void Finished(int exitCode);
    void ShowFailure(const QString& text) const;

    std::shared_ptr<TPrompts> m_prompts;
    QStringList m_displayFileName;
};

}  // namespace vantor

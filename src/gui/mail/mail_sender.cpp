#include "gui/mail/mail_sender.h"

#include "gui/common/prompts.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QWidget>

namespace vantor {

namespace {

constexpr int kStartTimeoutMs = 5000;
// xdg-email's exit codes for "no tool found to open a mailer" and "the mailer failed".
constexpr int kNoMailerTool = 3;
constexpr int kMailerFailed = 4;

}  // namespace

TMapiControl::TMapiControl(QWidget* window)
    : QObject(window), m_prompts(std::make_shared<TDialogPrompts>(window, QApplication::applicationDisplayName()))
{
}

QString TMapiControl::NoMailProgramText()
{
    return tr("No mail program is set up on this system, so the report cannot be sent by mail.");
}

QStringList TMapiControl::Arguments() const
{
    QStringList arguments{QStringLiteral("--utf8")};
    for (const QString& address : CopyTo) arguments << QStringLiteral("--cc") << address;
    for (const QString& address : BlindCopyTo) arguments << QStringLiteral("--bcc") << address;
    if (!Subject.isEmpty()) arguments << QStringLiteral("--subject") << Subject;
    if (!Body.isEmpty()) arguments << QStringLiteral("--body") << Body;
    for (const QString& file : AttachedFiles) arguments << QStringLiteral("--attach") << file;
    arguments << Recipients;
    return arguments;
}

int TMapiControl::Send()
{
    m_displayFileName.clear();
    for (const QString& file : AttachedFiles) m_displayFileName << QFileInfo(file).fileName();

    // No parent: a mail program that runs in the foreground must survive the end of this one.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process, &QProcess::finished, this, [this, process](int exitCode, QProcess::ExitStatus status) {
        process->deleteLater();
        Finished(status == QProcess::NormalExit ? exitCode : kMailerFailed);
    });
    process->start(Program, Arguments());
    if (!process->waitForStarted(kStartTimeoutMs)) {
        process->deleteLater();
        ShowFailure(NoMailProgramText());
        emit OnMapiError(kNotSupported);
        return kNotSupported;
    }
    return kSent;
}

void TMapiControl::Finished(int exitCode)
{
    if (exitCode == 0) {
        emit OnSuccess();
        return;
    }
    if (exitCode == kNoMailerTool || exitCode == kMailerFailed)
        ShowFailure(NoMailProgramText());
    else
        ShowFailure(tr("The mail program could not take the report (%1 ended with code %2).").arg(Program).arg(exitCode));
    emit OnMapiError(exitCode);
}

void TMapiControl::ShowFailure(const QString& text) const
{
    m_prompts->ShowMessage(text, TMessageKind::Warning);
}

}  // namespace vantor

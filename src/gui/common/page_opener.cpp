#include "gui/common/page_opener.h"

#include "gui/common/prompts.h"
#include "settings/folders.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QWidget>

#include <filesystem>

namespace vantor {

namespace {

constexpr int kStartTimeoutMs = 5000;

}  // namespace

TPageOpener::TPageOpener(QWidget* window)
    : QObject(window), m_prompts(std::make_shared<TDialogPrompts>(window, QApplication::applicationDisplayName()))
{
}

QString TPageOpener::FailureText(const QString& path)
{
    return tr("The help page could not be opened: no program is set up to show it.\nThe page is %1")
        .arg(QDir::toNativeSeparators(path));
}

bool TPageOpener::Open(const QString& path)
{
    // No parent: a viewer that keeps the opener running must survive the end of this program.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process, &QProcess::finished, this, [this, process, path](int exitCode, QProcess::ExitStatus status) {
        process->deleteLater();
        if (status != QProcess::NormalExit || exitCode != 0) ShowFailure(path);
    });
    process->start(Program, {path});
    if (process->waitForStarted(kStartTimeoutMs)) return true;
    process->deleteLater();
    ShowFailure(path);
    return false;
}

bool TPageOpener::OpenInstalled(const QString& relative)
{
    // A help page is found whatever the case of its name ("coils.htm" or "Coils.htm").
    const std::filesystem::path wanted(relative.toStdString());
    std::filesystem::path page;
    if (wanted.parent_path() == "Common Files") page = FindHelpPage(wanted.filename().string());
    if (page.empty()) page = FindDataFile(wanted);
    const QString pageName = QString::fromStdString(page.string());
    if (page.empty() || !QFileInfo::exists(pageName)) {
        m_prompts->ShowMessage(tr("The help page %1 is not installed.").arg(relative), TMessageKind::Error);
        return false;
    }
    return Open(pageName);
}

void TPageOpener::ShowFailure(const QString& path)
{
    m_prompts->ShowMessage(FailureText(path), TMessageKind::Warning);
    emit Failed(path);
}

}  // namespace vantor

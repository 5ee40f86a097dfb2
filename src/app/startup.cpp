#include "startup.h"

#include "automation/thermacoil_factory.h"
#include "gui/common/qt_text.h"
#include "settings/folders.h"
#include "settings/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vantor {

namespace {

bool IsAutomationSwitch(const QString& argument)
{
    const TAutomationSwitches switches = ParseAutomationSwitches({ToStdString(argument)});
    return switches.StartedForAutomation() || switches.RegServer || switches.UnregServer;
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    TCommandLine commandLine;
    QStringList words;
    for (const QString& argument : arguments) {
        if (argument.startsWith(u'-') || IsAutomationSwitch(argument)) {
            commandLine.Switches << argument;
            if (argument == QStringLiteral("--startup-time")) commandLine.StartupTime = true;
        } else {
            words << argument;
        }
    }
    if (words.isEmpty()) return commandLine;
    const QFileInfo file(QDir::current(), words.join(u' '));
    if (file.isFile()) commandLine.FileName = file.absoluteFilePath();
    return commandLine;
}

void FixNumberFormat()
{
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}

std::vector<std::string> RunInstallMerge(IInstallNotice& notice)
{
    const std::optional<std::filesystem::path> userRoot = UserRoot();
    const std::optional<std::filesystem::path> programKeyFile = SettingsKeyFile(TSettingsKey::Program);
    if (!userRoot || !programKeyFile) return {std::string(kNoSettingsFolderMessage)};
    TIniMergeMemory memory(*programKeyFile);
    TIniFileMerger merger(MakerRoot(), *userRoot, memory);
    merger.Collect();
    merger.MergeAll(notice);
    return merger.Messages();
}

bool WithoutDisplay()
{
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::chrono::milliseconds AutomationIdleTime()
{
    bool ok = false;
    // QByteArray reads "." as the decimal separator whatever the locale.
    const double seconds = qgetenv("VANTOR_AUTOMATION_IDLE_SECONDS").toDouble(&ok);
    if (!ok || !(seconds > 0) || seconds > 24 * 3600) return std::chrono::seconds(60);
    return std::chrono::milliseconds(std::max(1LL, static_cast<long long>(seconds * 1000)));
}

double SecondsSinceProcessStart()
{
    // Field 22 of /proc/self/stat: the start time in clock ticks since boot. The command name
    // before it is in parentheses and may hold blanks, so counting starts after the last ')'.
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 1));
    std::string field;
    for (int index = 3; index <= 22 && fields >> field; ++index) {
        if (index != 22) continue;
        const long ticksPerSecond = sysconf(_SC_CLK_TCK);
        timespec now{};
        if (ticksPerSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1;
        const double started = std::strtod(field.c_str(), nullptr) / static_cast<double>(ticksPerSecond);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 - started;
    }
    return -1;
}

}  // namespace vantor

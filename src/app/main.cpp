// vantor: the desktop program. Start-up runs in a fixed order: the number format, the merge
// of newly installed INI data files, the maker's details and the folders, the units registry
// with "units.ini", then the windows, once each, and the automation server on the session bus.
//
// "-regserver" and "-unregserver" (or "/...", any case) write or remove the bus activation
// file and end. "-automation" and "-embedding" mark a start by a client: without a display
// the program then runs offscreen, and a message box or dialog that opens is written to
// stderr and answered as Escape answers it, since nobody is there to see it.

#include "startup.h"

#include "gui/automation/activation_file.h"
#include "gui/automation/automation_server.h"
#include "gui/main/about_box.h"
#include "gui/common/confirm_change.h"
#include "gui/common/prompts.h"
#include "gui/main/main_window.h"
#include "gui/common/qt_text.h"
#include "settings/folders.h"
#include "settings/maker_info.h"
#include "settings/settings_store.h"
#include "units/units_registry.h"
#include "vantor_version.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

QString Joined(const std::vector<std::string>& lines)
{
    QStringList texts;
    for (const std::string& line : lines) texts << vantor::ToQString(line);
    return texts.join(u'\n');
}

void Warn(const std::vector<std::string>& lines)
{
    if (!lines.empty())
        vantor::TDialogPrompts(nullptr, QApplication::applicationDisplayName())
            .ShowMessage(Joined(lines), vantor::TMessageKind::Warning);
}

// An unattended run (a start for automation without a display) has nobody to answer a
// window: a modal message box or dialog that opens is written to stderr and answered as the
// Escape key answers it (the install notice decides later, a warning is taken note of), so
// that neither the start nor a client's call waits for ever.
class TUnattendedWindows : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() == QEvent::Show && dialog && dialog->isModal()) {
            const auto* box = qobject_cast<QMessageBox*>(dialog);
            const QString text = box ? box->text() : dialog->windowTitle();
            std::fprintf(stderr, "vantor: %s\n", text.toLocal8Bit().constData());
            QCoreApplication::postEvent(dialog, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        }
        return QObject::eventFilter(watched, event);
    }
};

// "-regserver" / "-unregserver": the activation file, then the end.
int Register(const vantor::TAutomationSwitches& switches)
{
    using namespace vantor;
    const TFolderEnvironment env = TFolderEnvironment::FromProcess();
    const TResult done = switches.RegServer ? RegisterServer(env) : UnregisterServer(env);
    if (!done) {
        std::fprintf(stderr, "vantor: %s\n", done.Message.c_str());
        return 1;
    }
    if (switches.RegServer)
        std::printf("vantor: automation service registered in %s\n", done.Message.c_str());
    else
        std::printf("vantor: automation service unregistered (%s gone)\n", done.Message.c_str());
    return 0;
}

// Why the service cannot be offered; empty when it can.
std::string ServiceUnavailable()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return "There is no D-Bus session bus";
    if (bus.interface()->isServiceRegistered(vantor::ToQString(vantor::kAutomationService)))
        return "Another program serves " + std::string(vantor::kAutomationService) + " on the session bus";
    return {};
}

int EndUnserved(const std::string& reason)
{
    std::fprintf(stderr, "vantor: %s; started for automation, this copy ends.\n", reason.c_str());
    return 1;
}

// A second copy of the program finds the service taken: it runs without serving and says so.
void ShowNotServing(vantor::TTechForm& form, const std::string& reason)
{
    auto* label = new QLabel(QObject::tr("No automation"));
    label->setObjectName(QStringLiteral("AutomationStatus"));
    label->setToolTip(vantor::ToQString(reason) + QObject::tr("; this copy of the program serves no automation clients."));
    form.statusBar()->addPermanentWidget(label);
}

// Prints the time from the process start to the main window's first paint, then ends the
// run (without storing anything).
class TStartupClock : public QObject {
public:
    explicit TStartupClock(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            std::printf("startup-time: %.3f s\n", vantor::SecondsSinceProcessStart());
            std::fflush(stdout);
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

}  // namespace

int main(int argc, char** argv)
{
    using namespace vantor;
    const TAutomationSwitches automation = ParseAutomationSwitches(std::vector<std::string>(argv + 1, argv + argc));
    // Registration needs no window and no display.
    if (automation.RegServer || automation.UnregServer) return Register(automation);
    // A script on a build server reaches the program without a screen.
    if (automation.StartedForAutomation() && WithoutDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    const QString platform = QGuiApplication::platformName();
    const bool unattended = automation.StartedForAutomation() &&
                            (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"));
    if (unattended) app.installEventFilter(new TUnattendedWindows(&app));
    QApplication::setApplicationName(QString::fromUtf8(kProductName));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kProductName));
    QApplication::setApplicationVersion(QString::fromUtf8(kFileVersion));
    QApplication::setOrganizationName(QStringLiteral("Korvane"));
    QApplication::setDesktopFileName(QStringLiteral("vantor"));

    FixNumberFormat();
    const TCommandLine commandLine = ParseCommandLine(QApplication::arguments().mid(1));

    // A client's start that cannot serve ends at once, before any window is built.
    if (automation.StartedForAutomation()) {
        if (const std::string refusal = ServiceUnavailable(); !refusal.empty()) return EndUnserved(refusal);
    }

    // Before any settings store is opened: the merge remembers its work in the program's
    // settings file.
    {
        TConfirmChangeDlg notice;
        Warn(RunInstallMerge(notice));
    }

    const TMakerInfo maker = ReadMakerInfo(TSettingsStore(TSettingsKey::Maker));
    if (const TDataFolder dataFolder = EnsureDataFolder(); !dataFolder.Result) {
        TDialogPrompts(nullptr, QApplication::applicationDisplayName())
            .ShowMessage(ToQString(dataFolder.Result.Message), TMessageKind::Error);
        return 1;
    }

    TUnitsRegistry units = StandardUnitsRegistry();
    Warn(units.LoadUnitsIni());

    // The liquid property correlations keep no state, so there is no shared property set to
    // create.

    // A client waiting for its first call is not kept waiting by the splash window.
    std::unique_ptr<TAboutForm> splash;
    if (!commandLine.StartupTime && !automation.StartedForAutomation() && TAboutForm::SplashScreenSetting()) {
        splash = std::make_unique<TAboutForm>(QObject::tr("Hot Water Coil"), ToQString(maker.Web));
        splash->ShowAsSplash();
    }
    TVantorForm form(units, ToQString(maker.Web));
    form.SetStartFile(commandLine.FileName);

    // The objects are served once the document they act on exists.
    TAutomationServer server(form.Document(), automation.StartedForAutomation());
    if (const TResult served = server.Serve(QDBusConnection::sessionBus()); !served) {
        if (automation.StartedForAutomation()) return EndUnserved(served.Message);
        ShowNotServing(form, served.Message);
    }
    server.GuardMainWindow(form);
    if (unattended) server.SetIdleExit(AutomationIdleTime());
    // Ending for the clients: no questions, the settings stored as at a normal close.
    QObject::connect(&server, &TAutomationServer::EndRequested, &form, [&form] {
        form.SaveOnClose();
        QCoreApplication::exit(0);
    });
    if (splash) {
        splash->FinishSplash();
        splash.reset();
    }
    if (commandLine.StartupTime) new TStartupClock(form);
    // Nobody sees an offscreen window: an unattended run does the window's first activation
    // without painting it after every call.
    if (unattended)
        form.FirstActivation();
    else
        form.show();
    const int exitCode = QApplication::exec();
    if (commandLine.StartupTime) return exitCode;

    if (const TResult saved = units.SaveUnitsIni(); !saved)
        std::fprintf(stderr, "vantor: %s\n", saved.Message.c_str());
    return exitCode;
}

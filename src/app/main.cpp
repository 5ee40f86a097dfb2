// vantor: the desktop program. Start-up runs in a fixed order: the number format, the merge
// of newly installed INI data files, the maker's details and the folders, the units registry
// with "units.ini", then the windows, once each.

#include "startup.h"

#include "gui/forms/about_form.h"
#include "gui/forms/confirm_change_dlg.h"
#include "gui/forms/vantor_form.h"
#include "gui/qt_text.h"
#include "settings/folders.h"
#include "settings/maker_info.h"
#include "settings/settings_store.h"
#include "units/units_registry.h"
#include "vantor_version.h"

#include <QApplication>
#include <QMessageBox>
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
    if (!lines.empty()) QMessageBox::warning(nullptr, QApplication::applicationDisplayName(), Joined(lines));
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kProductName));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kProductName));
    QApplication::setApplicationVersion(QString::fromUtf8(kFileVersion));
    QApplication::setOrganizationName(QStringLiteral("Korvane"));
    QApplication::setDesktopFileName(QStringLiteral("vantor"));

    FixNumberFormat();
    const TCommandLine commandLine = ParseCommandLine(QApplication::arguments().mid(1));

    // Before any settings store is opened: the merge remembers its work in the program's
    // settings file.
    {
        TConfirmChangeDlg notice;
        Warn(RunInstallMerge(notice));
    }

    const TMakerInfo maker = ReadMakerInfo(TSettingsStore(TSettingsKey::Maker));
    if (const TDataFolder dataFolder = EnsureDataFolder(); !dataFolder.Result) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), ToQString(dataFolder.Result.Message));
        return 1;
    }

    TUnitsRegistry units = StandardUnitsRegistry();
    Warn(units.LoadUnitsIni());

    // The liquid property correlations keep no state, so there is no shared property set to
    // create. The automation server registers here once it exists.

    std::unique_ptr<TAboutForm> splash;
    if (!commandLine.StartupTime && TAboutForm::SplashScreenSetting()) {
        splash = std::make_unique<TAboutForm>(QObject::tr("Hot Water Coil"), ToQString(maker.Web));
        splash->ShowAsSplash();
    }
    TVantorForm form(units, ToQString(maker.Web));
    form.SetStartFile(commandLine.FileName);
    if (splash) {
        splash->FinishSplash();
        splash.reset();
    }
    if (commandLine.StartupTime) new TStartupClock(form);
    form.show();
    const int exitCode = QApplication::exec();
    if (commandLine.StartupTime) return exitCode;

    if (const TResult saved = units.SaveUnitsIni(); !saved)
        std::fprintf(stderr, "vantor: %s\n", saved.Message.c_str());
    return exitCode;
}

// aerograph: the psychrometric chart program "Plot process on Aerograph" hands its files to.
// `aerograph [FILE.psy ...]` shows the files on a chart. One copy runs per user: a copy
// started while another runs hands its files to that one and ends.
// `aerograph --export PICTURE FILE.psy ...` draws the files' chart to a .png, .pdf or .svg
// picture without a window and ends; it needs no display and never deals with a running copy.

#include "aerograph_chart.h"
#include "aerograph_form.h"
#include "instance_server.h"

#include "chart/picture_format.h"
#include "settings/run_with_file.h"
#include "gui/common/qt_text.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <filesystem>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

// The name the hand-over's socket is named after, whatever the program file is called.
const std::filesystem::path kProgramName = "aerograph";

QStringList FileArguments(const QStringList& arguments)
{
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith(u'-')) files << QFileInfo(arguments[i]).absoluteFilePath();
    return files;
}

// True when a running copy took every file.
bool HandedToRunningCopy(const QStringList& files)
{
    if (files.isEmpty()) return false;
    for (const QString& file : files)
        if (vantor::HandToRunningInstance(kProgramName, vantor::ToStdString(file)) != vantor::THandOver::Delivered)
            return false;
    return true;
}

constexpr std::string_view kExportOption = "--export";

// The picture named after --export; nothing when the option is absent.
std::optional<std::string> ExportPicture(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i] == kExportOption) return i + 1 < argc ? std::string(argv[i + 1]) : std::string();
    return std::nullopt;
}

// Draws the chart files to the picture on the offscreen platform: no display is asked for.
int Export(int argc, char** argv, const std::string& picture)
{
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    std::vector<char*> arguments(argv, argv + argc);
    arguments.insert(arguments.begin() + 1, {platformOption, offscreen});
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    QApplication app(count, arguments.data());
    QApplication::setApplicationName(QStringLiteral("Aerograph"));

    QStringList files;
    const QStringList given = QApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i) {
        if (given[i] == QLatin1String(kExportOption.data())) {
            ++i;  // the picture
        } else if (given[i].startsWith(u'-')) {
            std::cerr << "aerograph: unknown option " << vantor::ToStdString(given[i]) << "\n";
            return 2;
        } else {
            files << given[i];
        }
    }
    if (picture.empty() || files.isEmpty() || !vantor::PictureFormatOf(picture)) {
        std::cerr << "aerograph: usage: aerograph --export PICTURE.png|.pdf|.svg FILE.psy...\n";
        return 2;
    }
    const vantor::TResult written = vantor::ExportAerographChart(files, vantor::ToQString(picture));
    if (!written) {
        std::cerr << "aerograph: " << written.Message << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const std::optional<std::string> picture = ExportPicture(argc, argv)) return Export(argc, argv, *picture);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Aerograph"));
    const QStringList files = FileArguments(QApplication::arguments());
    if (HandedToRunningCopy(files)) return 0;

    vantor::TAerographForm form;
    vantor::TInstanceServer server;
    QObject::connect(&server, &vantor::TInstanceServer::FileReceived, &form,
                     [&form](const QString& file) { (void)form.OpenFile(file); });  // failures are shown
    form.show();
    const std::optional<std::filesystem::path> socket = vantor::InstanceSocket(kProgramName);
    if (!socket) {
        QMessageBox::warning(&form, form.windowTitle(),
                             QObject::tr("XDG_RUNTIME_DIR is not set: this copy cannot take files from other programs."));
    } else if (!server.Listen(QString::fromStdString(socket->string()))) {
        QMessageBox::warning(&form, form.windowTitle(),
                             QObject::tr("This copy cannot take files from other programs: %1").arg(server.ErrorText()));
    }
    for (const QString& file : files) (void)form.OpenFile(file);
    return QApplication::exec();
}

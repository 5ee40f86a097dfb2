// aerograph: the psychrometric chart program "Plot process on Aerograph" hands its files to.
// `aerograph [FILE.psy ...]` shows the files on a chart. One copy runs per user: a copy
// started while another runs hands its files to that one and ends.

#include "aerograph_form.h"
#include "instance_server.h"

#include "settings/run_with_file.h"
#include "gui/common/qt_text.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <filesystem>

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

}  // namespace

int main(int argc, char** argv)
{
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

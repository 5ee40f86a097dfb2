#pragma once

// The desktop program's start-up steps that come before any window: the command line, the
// number format, the install-time merge of INI data files and the start-up clock.

#include "ini/ini_file_merger.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <string>
#include <vector>

namespace vantor {

struct TCommandLine {
    // The data file to open: the arguments that are not switches, joined with single blanks,
    // as a full path; empty unless that names an existing file.
    QString FileName;
    // Arguments starting with "-" ("-automation", "--startup-time"), and the automation
    // switches written with "/" ("/automation").
    QStringList Switches;
    // "--startup-time": print the time from the process start to the shown main window, then
    // end.
    bool StartupTime = false;
};

// arguments: without the program itself.
TCommandLine ParseCommandLine(const QStringList& arguments);

// "." as decimal separator and "," as thousands separator, whatever the desktop's locale.
// Call after the QApplication exists (it takes the desktop's locale when created).
void FixNumberFormat();

// Merges the installed copies of the user's INI data files, asking through notice where a
// section differs. Returns the failures to show.
std::vector<std::string> RunInstallMerge(IInstallNotice& notice);

// True when the desktop offers no display: no QT_QPA_PLATFORM, no DISPLAY and no
// WAYLAND_DISPLAY. A program started for automation then runs on the offscreen platform.
bool WithoutDisplay();

// The idle time of an automation start without a display: VANTOR_AUTOMATION_IDLE_SECONDS
// when it is a positive number, else 60 s.
std::chrono::milliseconds AutomationIdleTime();

// Seconds since the process started (10 ms resolution); negative when unknown.
double SecondsSinceProcessStart();

}  // namespace vantor

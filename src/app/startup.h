#pragma once

// The desktop program's start-up steps that come before any window: the command line, the
// number format, the install-time merge of INI data files and the start-up clock.

#include "ini/ini_file_merger.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace vantor {

struct TCommandLine {
    // The data file to open: the arguments that are not switches, joined with single blanks,
    // as a full path; empty unless that names an existing file.
    QString FileName;
    // Arguments starting with "-" ("-automation", "--startup-time").
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

// Seconds since the process started (10 ms resolution); negative when unknown.
double SecondsSinceProcessStart();

}  // namespace vantor

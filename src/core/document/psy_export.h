#pragma once

// The air process of a rating for the maker's psychrometric chart program "Aerograph": a
// small text file (".psy") with the file properties, the barometer, the on-coil and off-coil
// nodes and the process joining them, and the "Plot process on Aerograph" command that writes
// it and hands it to the chart program.
//
//   'Aerograph 1.0 data file'
//   <file properties, one text per line>
//   98.600
//   5.00, 35.00, 0.00100, 0.02000
//   'Node1', 'On', 24.000, 17.000, ''
//   'Node2', 'Off', 40.000, 22.000, ''
//   'Process1', 'Coil', 'Node1', 'Node2', 1.2000, ''
//
// Lines end with CR LF.

#include "settings/run_with_file.h"
#include "settings/folders.h"
#include "text/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

class TFileProperties;
class TRatingDocument;

inline constexpr std::string_view kPsyExtension = ".psy";
inline constexpr std::string_view kNoNamePsyFile = "NoName.psy";
inline constexpr std::string_view kPsyWriteError = "Error writing Aerograph file..";

// One air process: two nodes and the process between them. °C, kg/s, kPa.
struct TPsyProcess {
    std::string OnCaption = "On";
    std::string OffCaption = "Off";
    std::string ProcessCaption = "Coil";
    double OnDryBulb = 0;
    double OnWetBulb = 0;
    double OffDryBulb = 0;
    double OffWetBulb = 0;
    double AirMassFlow = 0;
    double Barometer = 0;
};

// The file's text; nothing when a number of the process is not finite.
std::optional<std::string> PsyExportText(const TFileProperties& properties, const TPsyProcess& process);

// Writes the file whole; fails with "Error writing Aerograph file.." and leaves any old file
// as it was.
TResult WritePsyExport(const std::filesystem::path& file, const TFileProperties& properties,
                       const TPsyProcess& process);

// The document's air process: its on-coil and off-coil air, the coil's air mass flow and the
// document's barometer.
TPsyProcess DocumentPsyProcess(TRatingDocument& document);

// The data file's name with ".psy"; without a data file "NoName.psy" in the data folder.
// Empty when there is no data folder either.
std::filesystem::path PsyExportFileName(const TRatingDocument& document, const TFolderEnvironment& env);

// "Aerograph/aerograph" in the maker root.
std::filesystem::path AerographProgram(const TFolderEnvironment& env);

// "Plot process on Aerograph": solves first when the document is not solved (and stops with
// the solve's message when that fails), writes the export and hands it to the chart program.
TResult PlotProcess(TRatingDocument& document, const TFileProperties& properties,
                    const TRunWithFileOptions& options = {});

}  // namespace vantor

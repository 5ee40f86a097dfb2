#include "document/psy_export.h"

#include "document/rating_document.h"
#include "reports/file_properties.h"
#include "text/file_io.h"
#include "text/format.h"

#include <cmath>
#include <vector>

namespace vantor {

namespace {

constexpr std::string_view kHeader = "'Aerograph 1.0 data file'";
constexpr std::string_view kLineEnd = "\r\n";

// Chart settings the chart program reads from line 4.
constexpr double kChartSettings[] = {5, 35, 0.001, 0.02};

}  // namespace

std::optional<std::string> PsyExportText(const TFileProperties& properties, const TPsyProcess& process)
{
    for (const double value : {process.OnDryBulb, process.OnWetBulb, process.OffDryBulb, process.OffWetBulb,
                               process.AirMassFlow, process.Barometer})
        if (!std::isfinite(value)) return std::nullopt;

    std::vector<std::string> lines{std::string(kHeader)};
    properties.WriteTextBlock(lines);
    lines.push_back(FormatFloat("%0.3f", process.Barometer));
    lines.push_back(Format("%0.2f, %0.2f, %0.5f, %0.5f",
                           {kChartSettings[0], kChartSettings[1], kChartSettings[2], kChartSettings[3]}));
    const std::string_view nodeFormat = "'%S', '%S', %0.3f, %0.3f, '%S'";
    lines.push_back(Format(nodeFormat, {"Node1", process.OnCaption, process.OnDryBulb, process.OnWetBulb, ""}));
    lines.push_back(Format(nodeFormat, {"Node2", process.OffCaption, process.OffDryBulb, process.OffWetBulb, ""}));
    lines.push_back(Format("'%S', '%S', '%S', '%S', %0.4f, '%S'",
                           {"Process1", process.ProcessCaption, "Node1", "Node2", process.AirMassFlow, ""}));

    std::string text;
    for (const std::string& line : lines) text += line + std::string(kLineEnd);
    return text;
}

TResult WritePsyExport(const std::filesystem::path& file, const TFileProperties& properties,
                       const TPsyProcess& process)
{
    const std::optional<std::string> text = PsyExportText(properties, process);
    if (!text || !WriteFileAtomically(file, *text)) return TResult::Error(TErrorCode::Failed, std::string(kPsyWriteError));
    return TResult::Ok();
}

TPsyProcess DocumentPsyProcess(TRatingDocument& document)
{
    TPsyProcess process;
    process.OnDryBulb = document.AirOn().db;
    process.OnWetBulb = document.AirOn().wb;
    process.OffDryBulb = document.AirOff().db;
    process.OffWetBulb = document.AirOff().wb;
    process.AirMassFlow = document.HotWaterCoil().AirMassFlow();
    process.Barometer = document.Barometer();
    return process;
}

std::filesystem::path PsyExportFileName(const TRatingDocument& document, const TFolderEnvironment& env)
{
    if (!document.FileName().empty())
        return std::filesystem::path(document.FileName()).replace_extension(kPsyExtension);
    const TDataFolder data = EnsureDataFolder(env);
    return data.Result ? data.Folder / kNoNamePsyFile : std::filesystem::path();
}

std::filesystem::path AerographProgram(const TFolderEnvironment& env)
{
    return MakerRoot(env) / "Aerograph" / "aerograph";
}

TResult PlotProcess(TRatingDocument& document, const TFileProperties& properties,
                    const TRunWithFileOptions& options)
{
    // A process that was not solved would put a wrong off-coil state on the chart.
    if (!document.Solved())
        if (const TResult solved = document.Solve(); !solved) return solved;
    const std::filesystem::path file = PsyExportFileName(document, document.Environment());
    if (file.empty()) return TResult::Error(TErrorCode::Failed, std::string(kNoDocumentsFolderMessage));
    if (const TResult written = WritePsyExport(file, properties, DocumentPsyProcess(document)); !written)
        return written;
    return RunWithFile(AerographProgram(document.Environment()), file.string(), options);
}

}  // namespace vantor

#include "datafile/data_file.h"

#include "datafile/data_file_elements.h"
#include "datafile/legacy_stream_file.h"
#include "document/rating_document.h"
#include "reports/file_properties.h"
#include "settings/folders.h"
#include "text/file_io.h"

#include <filesystem>
#include <optional>

namespace vantor {

namespace {

static_assert(TRatingDocument::Signature == kLegacySignature);
static_assert(TRatingDocument::XmlTag == kCoilElement);

std::filesystem::path FullPath(std::string_view name)
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(std::filesystem::path(name), error);
    return error ? std::filesystem::path(name) : path;
}

TResult ReadXmlDataFile(TXMLFile& file, const TDataFileModel& model)
{
    if (!IsDataFile(file)) return TResult::Error(dfInvalidFormat, std::string(kInvalidFileFormat));
    TInputCheck unused;
    TInputCheck& check = model.Check ? *model.Check : unused;
    try {
        const TXMLFile::TNode root = file.Root();
        ReadFileProps(file, file.FindChild(root, kFilePropsElement), model.Properties);
        TXMLFile::TNode coil = file.FindChild(root, kCoilElement);
        if (!coil) coil = file.FindChild(root, kOldCoilElement);
        if (coil) ReadHotWaterCoil(file, coil, model.Coil, model.Makers, check);
    } catch (const std::exception&) {
        return TResult::Error(dfReadError, std::string(kErrorReadingFile));
    }
    return TResult::Ok();
}

}  // namespace

bool IsDataFile(TXMLFile& file) { return file.CheckRoot(kDataFileRoot, kProgramName, ""); }

void BuildDataFile(TXMLFile& file, const THotWaterCoil& coil, const TFileProperties& properties)
{
    const TXMLFile::TNode root = file.NewRoot(kDataFileRoot, kProgramName, kDataFileVersion);
    WriteFileProps(file, root, properties);
    WriteHotWaterCoil(file, root, coil);
}

TResult ReadDataFile(std::string_view bytes, const TDataFileModel& model)
{
    TXMLFile file;
    if (file.LoadText(bytes)) return ReadXmlDataFile(file, model);
    return ReadLegacyDataFile(bytes, model);
}

TResult OpenFile(TRatingDocument& document, TFileProperties& properties, std::string_view name, TInputCheck* check)
{
    std::error_code error;
    const std::filesystem::path path = FullPath(name);
    if (name.empty() || !std::filesystem::is_regular_file(path, error))
        return TResult::Error(dfNothingToOpen, std::string());

    const std::optional<std::string> bytes = ReadFileText(path, kMaxDataFileBytes);
    TInputCheck notes;
    const TResult read = document.OpenModel(path.string(), [&](THotWaterCoil& coil, TCoilMakers& makers) {
        return bytes ? ReadDataFile(*bytes, {coil, properties, makers, &notes})
                     : TResult::Error(dfReadError, std::string(kErrorReadingFile));
    });
    if (read.Code == dfInvalidFormat) return read;
    if (check) check->Append(notes);
    document.ShowInputCheck(notes, path.string());
    return read;
}

TResult SaveFile(TRatingDocument& document, const TFileProperties& properties, std::string_view name)
{
    if (name.empty()) return TResult::Error(dfNoName, "File name not known");
    const std::filesystem::path path = FullPath(name);
    TXMLFile file;
    BuildDataFile(file, document.HotWaterCoil(), properties);
    file.SetFileName(path.string());
    const TResult saved = file.Save();
    if (!saved) return TResult::Error(IsRefusedTarget(saved.Code) ? dfTargetRefused : dfWriteError, saved.Message);
    document.FileSaved(path.string());
    return TResult::Ok();
}

}  // namespace vantor

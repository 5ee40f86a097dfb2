#include "settings/edited_file.h"

#include "text/file_io.h"

#include <system_error>

namespace vantor {

namespace fs = std::filesystem;

namespace {

// The part of path below root, or nothing when path does not lie under root.
std::optional<fs::path> RelativeUnder(const fs::path& path, const fs::path& root)
{
    std::error_code ec;
    const fs::path file = fs::weakly_canonical(fs::absolute(path, ec), ec);
    const fs::path base = fs::weakly_canonical(fs::absolute(root, ec), ec);
    if (ec || base.empty()) return std::nullopt;
    auto fileIt = file.begin();
    for (auto baseIt = base.begin(); baseIt != base.end(); ++baseIt, ++fileIt) {
        if (baseIt->empty()) continue;  // the trailing separator of a folder
        if (fileIt == file.end() || *fileIt != *baseIt) return std::nullopt;
    }
    fs::path relative;
    for (; fileIt != file.end(); ++fileIt) relative /= *fileIt;
    if (relative.empty()) return std::nullopt;
    return relative;
}

}  // namespace

int TextLineCount(std::string_view text)
{
    int lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            ++lines;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
    }
    const bool lastLineOpen = !text.empty() && text.back() != '\n' && text.back() != '\r';
    return lines + (lastLineOpen ? 1 : 0);
}

std::string UnsavedQuestion(const fs::path& fileName)
{
    const std::string name = fileName.filename().empty() ? std::string("File") : fileName.filename().string();
    return name + " not saved.\nSave now?";
}

std::optional<fs::path> SaveTarget(const fs::path& fileName, const TFolderEnvironment& env)
{
    if (const std::optional<fs::path> installed = RelativeUnder(fileName, MakerRoot(env)))
        return WritableDataFile(*installed, env);
    return fileName;
}

TResult SaveEditedText(const fs::path& fileName, std::string_view text, fs::path& savedAs,
                       const TFolderEnvironment& env)
{
    const std::optional<fs::path> target = SaveTarget(fileName, env);
    if (!target) return TResult::Error(fwFailed, "There is no folder for the user's copy of " + fileName.string());
    std::error_code ignored;  // a folder that cannot be made shows as the write's failure
    if (target->has_parent_path()) fs::create_directories(target->parent_path(), ignored);
    TResult written = WriteFileAtomically(*target, text);
    if (written) savedAs = *target;
    return written;
}

}  // namespace vantor

#pragma once

// The coil makers catalogue: the tube ranges each maker builds, read from
// "Common Files/CoilMakers.xml" (the user's copy when there is one, else the installed file)
// and kept in memory for one maker at a time. Writes always go to the user's copy.

#include "geometry/mnf_rec.h"
#include "settings/folders.h"
#include "text/result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TCoilMakers {
public:
    // Receives the messages meant for the user: the window shows them, the command line
    // prints them.
    using TMessageHandler = std::function<void(std::string_view message)>;

    explicit TCoilMakers(TFolderEnvironment env = TFolderEnvironment::FromProcess());

    void SetMessageHandler(TMessageHandler handler) { m_onMessage = std::move(handler); }

    // The catalogue file the user edits: the user's copy when it exists, else the installed one.
    std::filesystem::path CataloguePath() const;
    // The catalogue file read: the user's copy when it serves, else the installed one, so a
    // copy spoilt by an edit never leaves the program without makers.
    std::filesystem::path ServingCataloguePath() const;
    // Why the user's copy cannot serve (the message names the file and, for a fault in the
    // XML, the line); nothing when it serves or there is none.
    std::optional<std::string> UserCatalogueProblem() const;
    // The file changed (an edit): the next LoadMaker reads it again, whichever maker it asks for.
    void ForgetCachedMaker();

    // The makers of the catalogue, in file order; empty when the file is missing or unreadable.
    std::vector<std::string> MakerNames() const;

    // Makes maker's ranges the cached ones (nothing to do when they already are). A maker
    // the catalogue does not hold leaves the cache as it was.
    void LoadMaker(std::string_view maker);

    // The maker's range for a tube code: the first with that code, else the first whose code
    // plus 100 is the code (a metric tube asked for by its inch size), else the maker's first.
    // Without any range the built-in default is returned and the user told, and a catalogue
    // holding a "Default" maker is written when there is none.
    TMnfRec FindByTube(std::string_view maker, int code);

    // The maker's range called name (without regard to case), when the catalogue holds that
    // maker and range. Unlike FindByTube it never falls back to another range.
    std::optional<TMnfRec> FindRange(std::string_view maker, std::string_view name);

    // Replaces rec by the maker's range that matches its tube and fin dimensions, pattern and
    // basis, best on name, area factors and materials; rec keeps its two material codes.
    void MatchModel(std::string_view maker, TMnfRec& rec);

    // Writes the cached maker into the catalogue: fileName, or the user's copy when empty
    // (started from the installed catalogue when the user has none yet). Without a catalogue
    // to write into, create makes a new one; a file that cannot be read is never rewritten.
    TResult SaveMaker(const std::filesystem::path& fileName, bool create);

    // A catalogue line of maker; a line that cannot be read gives FindByTube of the tube code
    // read before the failure.
    TMnfRec ParseCatalogueLine(std::string_view maker, std::string_view line);

    const std::string& CachedMaker() const { return m_maker; }
    const TMnfRecVec& CachedRanges() const { return m_ranges; }

private:
    void Notify(std::string_view message) const;
    void WriteDefaultMaker();

    TFolderEnvironment m_env;
    TMessageHandler m_onMessage;
    std::string m_maker;
    TMnfRecVec m_ranges;
    // The makers last read and the file state they were read from: a data file opened names
    // its maker against them, and the catalogue is parsed again only when the file changes.
    struct TNamesRead {
        std::filesystem::path File;
        std::filesystem::file_time_type Written;
        std::uintmax_t Size = 0;
        std::vector<std::string> Names;
    };
    mutable std::optional<TNamesRead> m_names;
};

}  // namespace vantor

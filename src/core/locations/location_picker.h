#pragma once

// The rules of the location picker without its window: which databases, regions and places
// are listed, which are selected, the place's details and its texts. The window shows the
// lists and passes the user's choices in.
//
// All files come from one folder, the one that holds "Regions.idx" (LocationsFolder). A
// database is the file named after its section with ".wdb". With database "+All" a region is a
// database and places are kept by their database code, otherwise by their region code; a code
// of 0 ("+All") keeps every place.

#include "locations/location_file.h"
#include "locations/regions_index.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vantor {

struct TPlaceEntry {
    std::string Name;
    int Record = 0;  // record number in the open file, from 0
};

class TLocationPicker {
public:
    explicit TLocationPicker(std::filesystem::path folder = {}) : m_folder(std::move(folder)) {}

    const std::filesystem::path& Folder() const { return m_folder; }
    // The folder's index as the last Activate read it.
    const TRegionsIndex& Index() const { return m_index; }
    void SetFolder(std::filesystem::path folder) { m_folder = std::move(folder); }

    // The chosen texts: set from the settings (or a place text) before Activate, kept after.
    void SetChoice(std::string database, std::string region, std::string place);
    const std::string& Database() const { return m_database; }
    const std::string& Region() const { return m_region; }
    const std::string& Place() const { return m_place; }

    // Reads "Regions.idx" (missing: every list empty), lists its databases and opens the chosen
    // one: the saved database, none when it is no longer listed, the first when none was saved.
    TResult Activate();
    // Opens a database: its regions listed, the chosen region or the first selected, its places
    // filled. A missing file gives the install message and leaves the lists as they were.
    TResult ChooseDatabase(const std::string& database);
    // Fills the places of a region: the chosen place or the first is selected and read.
    TResult ChooseRegion(const std::string& region);
    // Reads and shows the place at this index of Places().
    TResult ChoosePlace(int index);
    // Closes the file and empties the place list; the chosen texts and the record, place text
    // and rows of the place last shown stay.
    void Close();

    const std::vector<std::string>& Databases() const { return m_databases; }
    const std::vector<std::string>& Regions() const { return m_regions; }
    const std::vector<TPlaceEntry>& Places() const { return m_places; }
    int PlaceIndex() const { return m_placeIndex; }

    bool HasRecord() const { return m_hasRecord; }
    const TLocationRecord& Record() const { return m_record; }
    int RecordCount() const { return m_file.RecordCount(); }
    // "name, region" of the place shown; empty when none is.
    const std::string& PlaceText() const { return m_placeText; }
    std::vector<std::pair<std::string, std::string>> Rows() const;
    // "Record %d of %d" of the place shown; empty when none is or the file is closed.
    std::string RecordStatus() const;

    // Sentences about the open file the user should hear of once per opening (a partial last
    // record, damaged records left out of the list); emptied by the call.
    std::string TakeNotice();

    static std::string MissingDatabaseMessage(std::string_view database);

private:
    bool AllDatabases() const { return m_database == kAllKey; }
    std::string RegionText(const TLocationRecord& record);
    void FillPlaces();
    void ClearPlace();

    std::filesystem::path m_folder;
    TRegionsIndex m_index;
    std::vector<std::string> m_allKeys;
    std::vector<std::string> m_databases;
    std::vector<std::string> m_regions;
    std::vector<TPlaceEntry> m_places;
    int m_placeIndex = -1;
    std::string m_database;
    std::string m_region;
    std::string m_place;
    TLocationFile m_file;
    TLocationRecord m_record;
    bool m_hasRecord = false;
    std::string m_placeText;
    std::string m_notice;
    bool m_damageTold = false;  // damaged records are told of once per opened file

    // One-entry caches of the two reverse look-ups.
    struct TDatabaseCache {
        bool Valid = false;
        int Code = 0;
        std::string Name;
    } m_databaseCache;
    struct TRegionCache {
        bool Valid = false;
        std::string Section;
        int Code = 0;
        std::string Name;
    } m_regionCache;
};

// The folder of the location files: the user's "Common Files" when it holds its own
// "Regions.idx", else the installed one. Shipped() tells whether it is the installed one.
struct TLocationsFolder {
    std::filesystem::path Folder;
    bool Shipped = true;
};
TLocationsFolder LocationsFolder();

}  // namespace vantor

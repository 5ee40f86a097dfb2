#include "locations/location_picker.h"

#include "locations/location_texts.h"
#include "settings/folders.h"
#include "text/format.h"

#include <algorithm>
#include <cctype>

namespace vantor {

namespace {

// Lists sort without regard to case, "+All" first.
bool SortsBefore(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::stable_sort(names.begin(), names.end(), SortsBefore);
    return names;
}

bool Listed(const std::vector<std::string>& list, const std::string& name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}

}  // namespace

void TLocationPicker::SetChoice(std::string database, std::string region, std::string place)
{
    m_database = std::move(database);
    m_region = std::move(region);
    m_place = std::move(place);
}

std::string TLocationPicker::MissingDatabaseMessage(std::string_view database)
{
    return "The " + std::string(database) + " Database has not been installed...\r\n" +
           "Please install the Korvane Geoplace Database.";
}

TResult TLocationPicker::Activate()
{
    Close();
    ClearPlace();
    m_regions.clear();
    m_databaseCache = {};
    m_regionCache = {};
    (void)m_index.Load(m_folder / kRegionsIndexName);  // a missing index leaves every list empty
    m_databases = Sorted(m_index.Sections());
    m_allKeys = m_index.KeyNames(kAllKey);
    if (m_databases.empty()) return TResult::Ok();
    std::string database = m_database.empty() ? m_databases.front() : m_database;
    if (!Listed(m_databases, database)) {
        m_database.clear();  // the saved database is gone: nothing is selected
        return TResult::Ok();
    }
    return ChooseDatabase(database);
}

TResult TLocationPicker::ChooseDatabase(const std::string& database)
{
    m_file.Close();
    m_database = database;
    const std::filesystem::path file = m_folder / (database + ".wdb");
    std::error_code error;
    if (database.empty() || !std::filesystem::exists(file, error)) return TResult::Error(TErrorCode::Unavailable, MissingDatabaseMessage(database));
    const TResult opened = m_file.Open(file);
    if (!opened) return opened;
    m_notice = m_file.Problem();
    m_damageTold = false;
    m_regions = Sorted(m_index.KeyNames(database));
    if (!Listed(m_regions, m_region)) m_region = m_regions.empty() ? std::string() : m_regions.front();
    return ChooseRegion(m_region);
}

TResult TLocationPicker::ChooseRegion(const std::string& region)
{
    m_region = region;
    FillPlaces();
    if (m_places.empty()) return TResult::Ok();
    int index = 0;
    for (std::size_t i = 0; i < m_places.size(); ++i)
        if (m_places[i].Name == m_place) {
            index = static_cast<int>(i);
            break;
        }
    return ChoosePlace(index);
}

void TLocationPicker::FillPlaces()
{
    m_places.clear();
    ClearPlace();
    const int code = m_index.Code(m_database, m_region);
    int damaged = 0;
    std::string firstDamage;
    TLocationRecord record;
    for (int number = 0; number < m_file.RecordCount(); ++number) {
        const TResult read = m_file.Read(number, record);
        if (!read) {
            if (damaged++ == 0) firstDamage = read.Message;
            continue;
        }
        const int recordCode = AllDatabases() ? record.DatabaseCode : record.RegionCode;
        if (code == 0 || recordCode == code) m_places.push_back({record.Name, number});
    }
    std::stable_sort(m_places.begin(), m_places.end(),
                     [](const TPlaceEntry& a, const TPlaceEntry& b) { return SortsBefore(a.Name, b.Name); });
    if (damaged > 0 && !m_damageTold) {
        m_damageTold = true;
        if (!m_notice.empty()) m_notice += "\n";
        m_notice += Format("%d damaged records are not listed. %s", {damaged, firstDamage});
    }
}

TResult TLocationPicker::ChoosePlace(int index)
{
    ClearPlace();
    if (index < 0 || index >= static_cast<int>(m_places.size())) return TResult::Ok();
    const TPlaceEntry& entry = m_places[static_cast<std::size_t>(index)];
    TLocationRecord record;
    const TResult read = m_file.Read(entry.Record, record);
    if (!read) return read;
    m_placeIndex = index;
    m_place = entry.Name;
    m_record = record;
    m_hasRecord = true;
    m_placeText = vantor::PlaceText(record.Name, RegionText(record));
    return TResult::Ok();
}

std::string TLocationPicker::RegionText(const TLocationRecord& record)
{
    std::string database = m_database;
    if (AllDatabases()) {
        if (!m_databaseCache.Valid || m_databaseCache.Code != record.DatabaseCode)
            m_databaseCache = {true, record.DatabaseCode, m_index.KeyOfCode(kAllKey, record.DatabaseCode)};
        database = m_databaseCache.Name;
    }
    std::string text = database;
    if (record.RegionCode != 0) {
        if (m_region != kAllKey) {
            text = m_region;
        } else {
            if (!m_regionCache.Valid || m_regionCache.Section != database || m_regionCache.Code != record.RegionCode)
                m_regionCache = {true, database, record.RegionCode, m_index.KeyOfCode(database, record.RegionCode)};
            if (!m_regionCache.Name.empty()) text = m_regionCache.Name;
        }
    }
    return text;
}

void TLocationPicker::ClearPlace()
{
    m_placeIndex = -1;
    m_hasRecord = false;
    m_record = {};
    m_placeText.clear();
}

void TLocationPicker::Close()
{
    m_file.Close();
    m_places.clear();
    m_placeIndex = -1;  // the place last shown stays readable for the caller
}

std::vector<std::pair<std::string, std::string>> TLocationPicker::Rows() const
{
    return m_hasRecord ? PlaceRows(m_record) : std::vector<std::pair<std::string, std::string>>{};
}

std::string TLocationPicker::RecordStatus() const
{
    return m_placeIndex >= 0 ? RecordStatusText(m_places[static_cast<std::size_t>(m_placeIndex)].Record, m_file.RecordCount())
                       : std::string();
}

std::string TLocationPicker::TakeNotice() { return std::exchange(m_notice, {}); }

TLocationsFolder LocationsFolder()
{
    const std::filesystem::path common = "Common Files";
    if (const std::optional<std::filesystem::path> user = UserRoot()) {
        std::error_code error;
        if (std::filesystem::is_regular_file(*user / common / kRegionsIndexName, error)) return {*user / common, false};
    }
    return {SharedFilesFolder(), true};
}

}  // namespace vantor

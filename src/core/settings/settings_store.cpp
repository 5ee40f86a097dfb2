#include "settings/settings_store.h"

#include <utility>

namespace vantor {

namespace fs = std::filesystem;

namespace {

std::string_view KeyFileName(TSettingsKey key)
{
    switch (key) {
    case TSettingsKey::Program: return "Vantor.ini";
    case TSettingsKey::Shared: return "Common.ini";
    case TSettingsKey::Maker: return "Korvane.ini";
    }
    return "Vantor.ini";
}

std::optional<fs::path> InSettingsFolder(std::string_view fileName, const TFolderEnvironment& env)
{
    const auto folder = SettingsFolder(env);
    if (!folder) return std::nullopt;
    return *folder / fileName;
}

}  // namespace

std::optional<fs::path> SettingsKeyFile(TSettingsKey key, const TFolderEnvironment& env)
{
    return InSettingsFolder(KeyFileName(key), env);
}

std::optional<fs::path> ExecutableIniFile(const TFolderEnvironment& env)
{
    return InSettingsFolder(std::string(kProgramName) + ".exe.ini", env);
}

TSettingsStore::TSettingsStore(TSettingsKey key, const TFolderEnvironment& env)
    : TSettingsStore(SettingsKeyFile(key, env))
{
}

TSettingsStore::TSettingsStore(std::optional<fs::path> file) : m_ini(std::move(file).value_or(fs::path()))
{
}

TSettingsStore::~TSettingsStore()
{
    (void)Flush();  // a destructor has nobody to tell; a caller that must know flushes first
}

std::string TSettingsStore::ReadString(std::string_view section, std::string_view name,
                                       std::string_view defaultValue) const
{
    return m_ini.ReadString(section, name, defaultValue);
}

int TSettingsStore::ReadInteger(std::string_view section, std::string_view name, int defaultValue) const
{
    return m_ini.ReadInteger(section, name, defaultValue);
}

double TSettingsStore::ReadFloat(std::string_view section, std::string_view name, double defaultValue) const
{
    return m_ini.ReadFloat(section, name, defaultValue);
}

bool TSettingsStore::ReadBool(std::string_view section, std::string_view name, bool defaultValue) const
{
    return m_ini.ReadBool(section, name, defaultValue);
}

// A write the file cannot hold is skipped and remembered for Flush, so that saving a
// window's twenty values does not stop at the first odd one.
template <typename Write>
void TSettingsStore::Change(Write&& write)
{
    try {
        write();
    } catch (const EIniFileError& error) {
        if (m_rejectedWrite.IsOk()) m_rejectedWrite = TResult::Error(TErrorCode::Failed, error.what());
    }
}

void TSettingsStore::WriteString(std::string_view section, std::string_view name, std::string_view value)
{
    Change([&] { m_ini.WriteString(section, name, value); });
}

void TSettingsStore::WriteInteger(std::string_view section, std::string_view name, int value)
{
    Change([&] { m_ini.WriteInteger(section, name, value); });
}

void TSettingsStore::WriteFloat(std::string_view section, std::string_view name, double value)
{
    Change([&] { m_ini.WriteFloat(section, name, value); });
}

void TSettingsStore::WriteBool(std::string_view section, std::string_view name, bool value)
{
    Change([&] { m_ini.WriteBool(section, name, value); });
}

void TSettingsStore::EraseSection(std::string_view section)
{
    Change([&] { m_ini.EraseSection(section); });
}

void TSettingsStore::DeleteValue(std::string_view section, std::string_view name)
{
    Change([&] { m_ini.DeleteKey(section, name); });
}

TResult TSettingsStore::Flush()
{
    TResult result = std::exchange(m_rejectedWrite, TResult::Ok());
    if (!Modified()) return result;
    if (FileName().empty()) return TResult::Error(TErrorCode::Failed, std::string(kNoSettingsFolderMessage));
    try {
        m_ini.UpdateFile();
    } catch (const EIniFileError& error) {
        return TResult::Error(TErrorCode::Failed, error.what());
    }
    return result;
}

}  // namespace vantor

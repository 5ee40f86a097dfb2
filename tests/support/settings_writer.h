#pragma once

// Writes a settings file through a store, as a run of the program that closes would leave it.

#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace vantor::test {

template <class Write>
void WriteSettings(const std::filesystem::path& file, Write write)
{
    TSettingsStore store{std::optional(file)};
    write(store);
    ASSERT_TRUE(store.Flush()) << file;
}

}  // namespace vantor::test

#pragma once

// Shared by the catalogue tests: a private maker root and user root for one test, with helpers
// to place catalogue files, and a field-by-field comparison of tube ranges.

#include "geometry/catalogue_file.h"
#include "geometry/mnf_rec.h"
#include "settings/folders.h"
#include "support/temp_folder.h"
#include "text/file_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace vantor::test {

class TCatalogueFolders {
public:
    TCatalogueFolders()
    {
        if (m_base.Path().empty()) ADD_FAILURE() << "cannot make a temporary folder";
        std::filesystem::create_directories(m_base / "maker" / "Common Files");
        Env.ExecutablePath = m_base / "bin" / "vantor";
        Env.Home = (m_base / "home").string();
        Env.XdgConfigHome = (m_base / "config").string();
        Env.XdgDataHome = (m_base / "data").string();
        Env.MakerRootOverride = (m_base / "maker").string();
    }

    std::filesystem::path InstalledCatalogue() const { return m_base / "maker" / kCatalogueFileName; }
    std::filesystem::path UserCatalogue() const { return m_base / "data" / "korvane" / kCatalogueFileName; }

    void Install(std::string_view content) const
    {
        ASSERT_TRUE(WriteFileAtomically(InstalledCatalogue(), content).IsOk());
    }
    void InstallShipped() const
    {
        std::filesystem::copy_file(std::filesystem::path(VANTOR_SHARE_DIR) / kCatalogueFileName, InstalledCatalogue());
    }

    TFolderEnvironment Env;

private:
    TTempFolder m_base;
};

// Lengths read from millimetre text may differ from their metre literals in the last bit.
inline void ExpectSameRange(const TMnfRec& actual, const TMnfRec& expected)
{
    EXPECT_EQ(actual.maker, expected.maker);
    EXPECT_EQ(actual.name, expected.name);
    EXPECT_EQ(actual.d, expected.d) << actual.name;
    EXPECT_DOUBLE_EQ(actual.id, expected.id) << actual.name;
    EXPECT_DOUBLE_EQ(actual.od, expected.od) << actual.name;
    EXPECT_DOUBLE_EQ(actual.sx, expected.sx) << actual.name;
    EXPECT_DOUBLE_EQ(actual.sy, expected.sy) << actual.name;
    EXPECT_DOUBLE_EQ(actual.t, expected.t) << actual.name;
    EXPECT_EQ(actual.kind, expected.kind) << actual.name;
    EXPECT_EQ(actual.tubeMaterial, expected.tubeMaterial) << actual.name;
    EXPECT_EQ(actual.finMaterial, expected.finMaterial) << actual.name;
    EXPECT_DOUBLE_EQ(actual.finFactor, expected.finFactor) << actual.name;
    EXPECT_DOUBLE_EQ(actual.tubeFactor, expected.tubeFactor) << actual.name;
    EXPECT_EQ(actual.basis, expected.basis) << actual.name;
}

}  // namespace vantor::test

// The data file's bytes, pinned: a default rating, a rating that differs from the defaults in
// every field it stores, and two older stream files read back and saved again. Each is written
// in the "C" locale and again in a comma-decimal one; both must give the stored bytes.

#include "datafile/data_file.h"

#include "document/rating_document.h"
#include "document_test_support.h"
#include "../datafile/legacy_stream_writer.h"
#include "psychro/psychro.h"
#include "reports/file_properties.h"
#include "support/comma_locale.h"
#include "support/file_properties_of.h"
#include "support/golden_file.h"
#include "support/temp_folder.h"
#include "text/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace vantor {
namespace {

using namespace std::chrono;
using DataFileGolden = test::TDocumentFixture;

TFileProperties GoldenProperties()
{
    return test::FilePropertiesOf("East Annex", "Q-77", "Reheat <zone 4> & lobby\r\n\"winter\" case", "T. Lindqvist",
                                  "Harrow & Sons", year{2019} / July / 14);
}

// Every stored field of the rating away from its default: edited through the rows as a user
// would, then the geometry fields no row reaches set on the record.
void MakeNonDefault(TRatingDocument& doc)
{
    const std::pair<int, const char*> edits[] = {
        {rowModel, "610 900 3r 10f 8c"}, {rowBarometer, "95"}, {rowAirOn, "12/8"},
        {rowAirVelocity, "2.2"},         {rowFluidInlet, "82"}, {rowDesignDT, "12"}, {rowFluidFlow, "0.9"},
    };
    for (const auto& [row, text] : edits) ASSERT_TRUE(doc.EnterRowText(row, text)) << row;
    doc.Liquid().WaterAdditive = 2;
    doc.Liquid().AdditiveVolume = 0.35;
    ASSERT_TRUE(doc.FluidEditorClosed(true));
    ASSERT_TRUE(doc.Solve());
    THotWaterCoil& coil = doc.HotWaterCoil();
    TModelRec rec = coil.Geometry().ModelRecord();
    rec.cb = kBasisRowsDeep;
    rec.Serp = 3;
    rec.tp = kInLine;
    rec.tf = 0.00012;
    rec.fc = 1.064;
    rec.ft = 1.25;
    rec.Rifle = true;
    rec.Sections = 2;
    rec.Mf = 1;
    rec.Mt = 2;
    rec.Mc = 3;
    rec.tc = 0.002;
    coil.SetModelRecord(rec);
}

// An older stream file with a geometry of the given form (0 the packed record, 1 to 3 the
// versioned ones), opened by the document.
void OpenLegacy(TRatingDocument& doc, const std::filesystem::path& folder, int geometryVersion)
{
    test::TLegacyFile file;
    file.Geometry.Mnf = "Typical";
    file.Geometry.Model = "1/2 inch";
    file.Geometry.fHeight = 0.762;
    file.Geometry.fLength = 1.219;
    file.Geometry.Rows = 2;
    file.Geometry.Circ = 8;
    file.Geometry.Sections = 3;
    file.Geometry.Rifle = true;
    file.GeometryVersion = geometryVersion;
    SetState(file.AirOn, 98, 2, 0, pcDbWb);
    SetState(file.AirOff, 98, 31, 13, pcDbWb);
    const std::filesystem::path path = folder / "old.hqx";
    test::WriteText(path, test::LegacyFileBytes(file));
    TFileProperties read;
    ASSERT_TRUE(OpenFile(doc, read, path.string()));
}

struct TGoldenCase {
    const char* Golden;
    std::function<void(TRatingDocument&, const std::filesystem::path&)> Prepare;
};

TEST_F(DataFileGolden, SavedBytesAreTheStoredOnesInEveryLocale)
{
    const TGoldenCase cases[] = {
        {"data_file_default.hqx", [](TRatingDocument&, const std::filesystem::path&) {}},
        {"data_file_non_default.hqx", [](TRatingDocument& doc, const std::filesystem::path&) { MakeNonDefault(doc); }},
        {"legacy_versioned_read.hqx",
         [](TRatingDocument& doc, const std::filesystem::path& folder) { OpenLegacy(doc, folder, 3); }},
        {"legacy_packed_read.hqx",
         [](TRatingDocument& doc, const std::filesystem::path& folder) { OpenLegacy(doc, folder, 0); }},
    };
    for (const bool comma : {false, true}) {
        for (const TGoldenCase& c : cases) {
            SCOPED_TRACE(std::string(c.Golden) + (comma ? " in a comma locale" : ""));
            std::optional<test::TCommaLocale> locale;
            if (comma) {
                locale.emplace();
                ASSERT_TRUE(test::TCommaLocale::IsActive());
            }
            TRatingDocument& doc = Open();
            c.Prepare(doc, Folder());
            const std::filesystem::path path = Folder() / "golden.hqx";
            ASSERT_TRUE(SaveFile(doc, GoldenProperties(), path.string()));
            EXPECT_TRUE(test::MatchesGolden(c.Golden, ReadFileText(path).value_or("")));
        }
    }
}

}  // namespace
}  // namespace vantor

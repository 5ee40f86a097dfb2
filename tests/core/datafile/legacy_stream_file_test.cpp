#include "datafile/legacy_stream_file.h"

#include "datafile/data_file.h"
#include "datafile/legacy_stream.h"
#include "document/rating_document.h"
#include "core/document/document_test_support.h"
#include "legacy_stream_writer.h"
#include "psychro/psychro.h"
#include "reports/file_properties.h"
#include "support/temp_folder.h"
#include "text/text_routines.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using namespace std::chrono;
using test::TLegacyFile;
using test::TLegacyStreamWriter;
using LegacyDataFile = test::TDocumentFixture;

// The first-run coil's range, with every field the older forms lack set apart from its default.
TModelRec SampleGeometry()
{
    TModelRec rec;
    rec.Mnf = "Typical";
    rec.Model = "1/2 inch";
    rec.fHeight = 0.61;
    rec.fLength = 0.9;
    rec.Rows = 4.9;
    rec.Circ = 8;
    rec.cb = 1;
    rec.Serp = 100;
    rec.tp = 1;
    rec.tf = 0.00015;
    rec.fc = 1.064;
    rec.ft = 1.2;
    rec.Rifle = true;
    rec.Sections = 2;
    rec.Mf = 0;
    rec.Mt = 7;
    rec.Mc = 4;
    rec.tc = 0.002;
    return rec;
}

TLegacyFile SampleFile()
{
    TLegacyFile file;
    file.Geometry = SampleGeometry();
    SetState(file.AirOn, 100, 5, 3, pcDbWb);
    SetState(file.AirOff, 100, 30, 14, pcDbWb);
    return file;
}

// What the stream gives the geometry reader, starting from a record that differs in every
// field the older forms lack.
TModelRec ReadGeometry(const std::string& bytes, size_t rest = 0)
{
    TModelRec rec;
    rec.Model = "present";
    rec.Code = 3;
    rec.cb = 1;
    rec.tp = 1;
    rec.ft = 1.4;
    TLegacyStream stream(bytes);
    ReadLegacyGeometry(stream, {"Default", "Typical"}, rec);
    EXPECT_EQ(stream.Remaining(), rest);
    return rec;
}

TEST(LegacyGeometry, VersionedFormsFillWhatTheyLack)
{
    const TModelRec written = SampleGeometry();
    for (int version = 1; version <= 3; ++version) {
        SCOPED_TRACE(version);
        TLegacyStreamWriter w;
        test::WriteVersionedGeometry(w, written, version);
        const TModelRec rec = ReadGeometry(w.Bytes() + std::string(200, '\0'), 200);
        EXPECT_EQ(rec.Model, version == 3 ? "1/2 inch" : "");
        EXPECT_EQ(rec.cb, version == 1 ? 0 : 1);
        EXPECT_EQ(rec.ft, version == 3 ? 1.2 : 1.0);
        EXPECT_EQ(rec.Rows, 4) << "the fraction of the rows is cut off";
        // Everything after the missing values is read in its place.
        EXPECT_EQ(rec.Mnf, "Typical");
        EXPECT_EQ(rec.Code, 1);
        EXPECT_EQ(rec.Serp, 100);
        EXPECT_EQ(rec.tp, 1);
        EXPECT_EQ(rec.fc, 1.064);
        EXPECT_TRUE(rec.Rifle);
        EXPECT_EQ(rec.Mt, 7);
        EXPECT_EQ(rec.tc, 0.002);
    }
}

TEST(LegacyGeometry, RawRecordIsRecognisedByItsMaker)
{
    TModelRec written = SampleGeometry();
    written.Mnf = "TYPICAL";
    const TModelRec rec = ReadGeometry(test::RawGeometryRecord(written));
    EXPECT_EQ(rec.Mnf, "TYPICAL");
    EXPECT_EQ(rec.Model, "");
    EXPECT_EQ(rec.Code, 3) << "the record has no coil type";
    EXPECT_EQ(rec.cb, 0);
    EXPECT_EQ(rec.tp, 0);
    EXPECT_EQ(rec.ft, 1.0);
    EXPECT_EQ(rec.Rows, 4.9);
    EXPECT_EQ(rec.fpi, 10);
    EXPECT_EQ(rec.Serp, 100);
    EXPECT_EQ(rec.OD, 0.013335);
    EXPECT_EQ(rec.Sections, 2);
    EXPECT_EQ(rec.Mc, 4);
    EXPECT_EQ(rec.tc, 0.002);

    // Another maker's name in front: read as the versioned form, which it is not.
    written.Mnf = "Nobody";
    EXPECT_THROW(ReadGeometry(test::RawGeometryRecord(written)), ELegacyStreamError);
    TLegacyStreamWriter w;
    test::WriteVersionedGeometry(w, SampleGeometry(), 3);
    TLegacyStream shortStream(w.Bytes());
    TModelRec rec2;
    EXPECT_THROW(ReadLegacyGeometry(shortStream, {"Typical"}, rec2), ELegacyStreamError)
        << "fewer than 256 bytes left";
    const std::string unknownBytes =
        TLegacyStreamWriter().ShortString("FAT 1.0.0.4").Raw(std::string(300, '\0')).Bytes();
    TLegacyStream unknown(unknownBytes);
    EXPECT_THROW(ReadLegacyGeometry(unknown, {"Typical"}, rec2), ELegacyStreamError);
}

TEST(LegacyGeometry, DatesOfDaysSinceTheEpoch)
{
    EXPECT_EQ(LegacyDate(41274.9), year{2012} / December / 31);
    EXPECT_EQ(LegacyDate(0), year{1899} / December / 30);
    EXPECT_EQ(LegacyDate(-1.5), year{1899} / December / 29);
    EXPECT_EQ(LegacyDate(1e12), Today());
}

TEST_F(LegacyDataFile, OpensEveryItemOfTheStream)
{
    TRatingDocument& doc = Open();
    const TLegacyFile written = SampleFile();
    const std::filesystem::path path = Folder() / "old.hqx";
    test::WriteText(path, test::LegacyFileBytes(written));
    TFileProperties properties;
    ASSERT_TRUE(OpenFile(doc, properties, path.string()));

    EXPECT_EQ(properties.ProjectName, "Riverside Clinic");
    EXPECT_EQ(properties.DescriptionLines(), (std::vector<std::string>{"AHU 3 reheat", "winter case"}));
    EXPECT_EQ(properties.Company, "Korvane");
    EXPECT_EQ(properties.Date, year{2012} / December / 31);

    const THotWaterCoil& coil = doc.HotWaterCoil();
    EXPECT_EQ(coil.Qt, 48.25);
    EXPECT_EQ(coil.Qs, 47.5);
    const TModelRec& rec = coil.Geometry().ModelRecord();
    EXPECT_EQ(rec.Rows, 4);
    EXPECT_EQ(rec.Sections, 2);
    EXPECT_EQ(rec.Mc, 4);
    EXPECT_EQ(rec.Model, "1/2 inch") << "rematched against the catalogue";
    EXPECT_EQ(Row(rowModel), "610 x 900  4r  10f  8c");

    EXPECT_EQ(doc.AirOn().db, 5);
    EXPECT_EQ(doc.AirOn().h, written.AirOn.h) << "the raw state as stored";
    EXPECT_EQ(doc.AirOff().W, written.AirOff.W);
    EXPECT_EQ(coil.AirMassFlow(), 1.2);
    EXPECT_EQ(doc.Barometer(), 100);

    const TLiquid& liquid = doc.Liquid();
    EXPECT_EQ(liquid.tfi, 82) << "the liquid state's temperatures come last";
    EXPECT_EQ(liquid.tfo, 71);
    EXPECT_EQ(liquid.t, 76.5);
    EXPECT_EQ(liquid.m, 1.25);
    EXPECT_EQ(liquid.UserCp, 3.9);
    EXPECT_EQ(liquid.UserMu, 0.0009);
    EXPECT_EQ(liquid.WaterAdditive, 1);
    EXPECT_EQ(liquid.AdditiveVolume, 0.3);
    EXPECT_NEAR(liquid.Cp, 3.7, 0.2) << "recomputed for 30 % ethylene glycol, not the stored 4.19";
    EXPECT_EQ(coil.LiquidState.ctrl, TFluidControl::Temperature);
    EXPECT_EQ(coil.LiquidState.cw, 1.25 * liquid.Cp);

    EXPECT_TRUE(doc.Saved());
    EXPECT_FALSE(doc.Solved());
    EXPECT_EQ(Recorder.Panels[spFile], "old.hqx");
    EXPECT_TRUE(doc.Solve()) << "a usable coil";
}

TEST_F(LegacyDataFile, OldestRecordOpensThroughTheDocument)
{
    TRatingDocument& doc = Open();
    TLegacyFile written = SampleFile();
    written.GeometryVersion = 0;
    const std::filesystem::path path = Folder() / "oldest.hqx";
    test::WriteText(path, test::LegacyFileBytes(written));
    TFileProperties properties;
    ASSERT_TRUE(OpenFile(doc, properties, path.string()));
    EXPECT_EQ(doc.HotWaterCoil().Rows(), 4.9) << "the raw record keeps fractional rows";
    EXPECT_EQ(doc.HotWaterCoil().LiquidState.MassFlow(), 1.25);
}

TEST_F(LegacyDataFile, ControlNumbersReadAsTheirControlsAndOthersKeepThePresentOne)
{
    const struct {
        int Stored;
        TFluidControl Present;
        TFluidControl Expected;
    } cases[] = {
        {0, TFluidControl::Flow, TFluidControl::Temperature},
        {1, TFluidControl::Temperature, TFluidControl::Flow},
        {2, TFluidControl::Temperature, TFluidControl::Temperature},
        {-1, TFluidControl::Flow, TFluidControl::Flow},
    };
    for (const auto& c : cases) {
        TRatingDocument& doc = Open();
        doc.HotWaterCoil().LiquidState.ctrl = c.Present;
        TLegacyFile written = SampleFile();
        written.Control = c.Stored;
        const std::filesystem::path path = Folder() / "control.hqx";
        test::WriteText(path, test::LegacyFileBytes(written));
        TFileProperties properties;
        ASSERT_TRUE(OpenFile(doc, properties, path.string())) << c.Stored;
        EXPECT_EQ(doc.HotWaterCoil().LiquidState.ctrl, c.Expected) << c.Stored;
    }
}

TEST_F(LegacyDataFile, ForeignSignatureLeavesTheModel)
{
    TRatingDocument& doc = Open();
    TLegacyFile written = SampleFile();
    TFileProperties properties;
    for (const char* signature : {"vantor 1.1.0.0 datafile", "Vantor 1.0.0.0 DataFile", ""}) {
        written.Signature = signature;
        test::WriteText(Folder() / "foreign.hqx", test::LegacyFileBytes(written));
        const TResult result = OpenFile(doc, properties, (Folder() / "foreign.hqx").string());
        EXPECT_EQ(result.Message, "Invalid file format...") << signature;
    }
    EXPECT_EQ(doc.HotWaterCoil().Qt, 0);
    EXPECT_TRUE(properties.ProjectName.empty());
}

TEST_F(LegacyDataFile, EveryTruncationIsAReadErrorAndKeepsWhatWasRead)
{
    TRatingDocument& doc = Open();
    const std::string bytes = test::LegacyFileBytes(SampleFile());
    const size_t signatureEnd = 2 + std::string("Vantor 1.1.0.0 DataFile").size();
    for (size_t length = signatureEnd; length < bytes.size(); ++length) {
        TFileProperties properties;
        const std::string_view cut = std::string_view(bytes).substr(0, length);
        const TResult result = ReadLegacyDataFile(cut, {doc.HotWaterCoil(), properties, doc.Makers()});
        ASSERT_EQ(result.Code, dfReadError) << length;
        ASSERT_EQ(result.Message, "Error reading file...");
    }

    // Cut inside the geometry: the properties and duties stay, the document is not solved.
    ASSERT_TRUE(doc.Solve());
    const std::filesystem::path path = Folder() / "cut.hqx";
    test::WriteText(path, bytes.substr(0, bytes.find("FAT 1.0.0.3") + 40));
    TFileProperties properties;
    const TResult result = OpenFile(doc, properties, path.string());
    EXPECT_EQ(result.Message, "Error reading file...");
    EXPECT_EQ(properties.ProjectNumber, "P-1187");
    EXPECT_EQ(doc.HotWaterCoil().Qt, 48.25);
    EXPECT_FALSE(doc.Solved());
    EXPECT_EQ(Recorder.Panels[spSolve], "Not Solved");
    EXPECT_TRUE(doc.FileName().empty());
}

TEST_F(LegacyDataFile, WrongTagsAndImpossibleNumbersAreReadErrors)
{
    TRatingDocument& doc = Open();
    TFileProperties properties;
    const auto read = [&](const TLegacyFile& file) {
        return ReadLegacyDataFile(test::LegacyFileBytes(file), {doc.HotWaterCoil(), properties, doc.Makers()}).Code;
    };
    TLegacyFile file = SampleFile();
    EXPECT_EQ(read(file), dfOk);
    file.AirOn.h = std::nan("");
    EXPECT_EQ(read(file), dfReadError) << "a raw state that is not a number";
    file = SampleFile();
    file.GeometryVersion = 0;
    file.Geometry.fHeight = std::numeric_limits<double>::infinity();
    EXPECT_EQ(read(file), dfReadError);

    // The control read as an integer where a float tag stands.
    std::string bytes = test::LegacyFileBytes(SampleFile());
    bytes[bytes.size() - 5] = TLegacyStream::tagDouble;
    EXPECT_EQ(ReadLegacyDataFile(bytes, {doc.HotWaterCoil(), properties, doc.Makers()}).Code, dfReadError);
}

}  // namespace
}  // namespace vantor

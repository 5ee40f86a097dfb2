// The document's close against another running copy of the program that wrote the same
// settings files meanwhile: what this copy did not change must not overwrite what the other
// stored.

#include "document/rating_document.h"

#include "document_test_support.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using DocumentClose = test::TDocumentFixture;

TEST_F(DocumentClose, AnUnchangedValueLeavesAnotherCopysChangeAlone)
{
    Open();
    Restart();  // the first run's close stores every value in the document's own form

    // Closing without an edit changes nothing: every value reads back as it is written.
    Document->SaveOnClose(ProgramKey(), SharedKey());
    EXPECT_FALSE(ProgramKey().Modified());
    EXPECT_FALSE(SharedKey().Modified());

    // Another copy, started and closed while this one runs.
    {
        TSettingsStore program(TSettingsKey::Program, Env);
        TSettingsStore shared(TSettingsKey::Shared, Env);
        program.WriteFloat("VantorForm", "Pressure", 95.5);
        program.WriteString("VantorForm", "AirOn", "20.0000/15.0000");
        program.WriteFloat("VantorForm", "DutyFactor", 1.1);
        program.WriteFloat("Default", "WaterIn", 70.0);
        shared.WriteInteger("Coils", "UnitsPressDrop", 0);
        ASSERT_TRUE(program.Flush());
        ASSERT_TRUE(shared.Flush());
    }

    // This copy's user changes the fluid flow only, then closes.
    ASSERT_TRUE(Document->EnterRowText(rowFluidFlow, "0.9"));
    Restart();

    const TSettingsStore program(TSettingsKey::Program, Env);
    const TSettingsStore shared(TSettingsKey::Shared, Env);
    EXPECT_EQ(program.ReadFloat("VantorForm", "Pressure", 0.0), 95.5);
    EXPECT_EQ(program.ReadString("VantorForm", "AirOn", ""), "20.0000/15.0000");
    EXPECT_EQ(program.ReadFloat("VantorForm", "DutyFactor", 0.0), 1.1);
    EXPECT_EQ(program.ReadFloat("Default", "WaterIn", 0.0), 70.0);
    EXPECT_EQ(shared.ReadInteger("Coils", "UnitsPressDrop", 1), 0);
    EXPECT_EQ(program.ReadFloat("Default", "WaterFlow", 0.0), 0.9) << "this copy's own change is stored";
    // The next run starts from both copies' values.
    EXPECT_EQ(Row(rowBarometer), "95.500");
}

}  // namespace
}  // namespace vantor

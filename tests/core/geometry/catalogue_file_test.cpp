#include "geometry/catalogue_file.h"

#include "catalogue_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

using test::ExpectSameRange;

// One maker with item defaults of 0.12 mm copper fins with a 1.1 area factor.
constexpr const char* kCatalogue = R"(<?xml version="1.0"?>
<catalog kind="coil" version="1.0.0.0" developer="korvane">
  <item><maker>Other</maker><model name="x" d="4"><tube id="10" od="11"/></model></item>
  <item>
    <maker>Acme</maker>
    <range>fin and tube coil</range>
    <fin t="0.12" mt="Cu" f="1.1"/>
    <pat kind="in-line"/>
    <circ basis="depth"/>
    <model name="1/2 inch" d="4">
      <tube id="12.5" od="13.3" f="1.5"/>
      <pat sx="33" sy="38.1"/>
    </model>
    <model name="only a name"/>
    <model name="bad values" d="four">
      <fin t="abc" mt="" f="0"/>
      <tube id="-12" od="1e999" f="-1"/>
      <pat sx="0" sy="nan" kind="diagonal"/>
      <circ basis="sideways"/>
    </model>
    <model name="5/8 inch" d="5">
      <fin t="0.2" mt="Al"/>
      <tube id="14.859" od="15.875" mt="SS"/>
      <pat sx="44" sy="50.8" kind="STAGGERED"/>
      <circ basis="Height"/>
    </model>
    <model name="code too large" d="256"/>
  </item>
  <item><range>no maker element</range></item>
</catalog>)";

TMnfRec AcmeDefaults()
{
    TMnfRec rec = DefaultMnfRec();
    rec.maker = "Acme";
    rec.d = 0;
    rec.t = 0.00012;
    rec.finMaterial = "Cu";
    rec.finFactor = 1.1;
    rec.kind = kInLine;
    rec.basis = kBasisRowsDeep;
    return rec;
}

TEST(CatalogueFileTest, ModelsTakeWhatTheyLackFromTheirItemAndTheItemFromTheBuiltInRange)
{
    TXMLFile file;
    ASSERT_TRUE(file.LoadText(kCatalogue));
    EXPECT_EQ(ReadMakerNames(file), (std::vector<std::string>{"Other", "Acme"}));

    const std::optional<TMakerRanges> acme = ReadMaker(file, "ACME");
    ASSERT_TRUE(acme);
    EXPECT_EQ(acme->Maker, "Acme");
    ASSERT_EQ(acme->Ranges.size(), 5u);

    TMnfRec half = AcmeDefaults();
    half.name = "1/2 inch";
    half.d = 4;
    half.id = 0.0125;
    half.od = 0.0133;
    half.tubeFactor = 1.5;
    half.sx = 0.033;
    half.sy = 0.0381;
    TMnfRec nameOnly = AcmeDefaults();
    nameOnly.name = "only a name";
    TMnfRec badValues = AcmeDefaults();  // nothing readable: every value from the item
    badValues.name = "bad values";
    TMnfRec fiveEighths = AcmeDefaults();
    fiveEighths.name = "5/8 inch";
    fiveEighths.d = 5;
    fiveEighths.t = 0.0002;
    fiveEighths.finMaterial = "Al";
    fiveEighths.id = 0.014859;
    fiveEighths.od = 0.015875;
    fiveEighths.tubeMaterial = "SS";
    fiveEighths.sx = 0.044;
    fiveEighths.sy = 0.0508;
    fiveEighths.kind = kStaggered;
    fiveEighths.basis = kBasisTubesHigh;
    TMnfRec codeTooLarge = AcmeDefaults();
    codeTooLarge.name = "code too large";

    ExpectSameRange(acme->Ranges[0], half);
    ExpectSameRange(acme->Ranges[1], nameOnly);
    ExpectSameRange(acme->Ranges[2], badValues);
    ExpectSameRange(acme->Ranges[3], fiveEighths);
    ExpectSameRange(acme->Ranges[4], codeTooLarge);

    EXPECT_FALSE(ReadMaker(file, "Nobody"));
}

TEST(CatalogueFileTest, WrittenModelsCarryOnlyWhatDiffersFromTheirItem)
{
    TXMLFile file;
    ASSERT_TRUE(file.LoadText(kCatalogue));
    const TMakerRanges acme = *ReadMaker(file, "Acme");
    TMnfRecVec ranges = {acme.Ranges[0], acme.Ranges[3]};
    ranges[0].tubeMaterial = "Br";
    WriteMaker(file, "Acme", ranges);

    const TXMLFile::TNode item = file.ChildrenNamed(file.Root(), "item")[1];
    const std::vector<TXMLFile::TNode> models = file.ChildrenNamed(item, "model");
    ASSERT_EQ(models.size(), 2u);
    const auto attribute = [&file](TXMLFile::TNode model, const char* child, const char* name) {
        return file.ReadPathAttribute(model, {child}, "(none)", name);
    };
    // The first uses the item's fins, pattern and basis: none of them is written.
    EXPECT_EQ(attribute(models[0], "fin", "t"), "(none)");
    EXPECT_EQ(attribute(models[0], "fin", "mt"), "(none)");
    EXPECT_EQ(attribute(models[0], "fin", "f"), "(none)");
    EXPECT_EQ(attribute(models[0], "tube", "id"), "12.5000");
    EXPECT_EQ(attribute(models[0], "tube", "mt"), "Br");
    EXPECT_EQ(attribute(models[0], "tube", "f"), "1.5000");
    EXPECT_EQ(attribute(models[0], "pat", "sx"), "33.000");
    EXPECT_EQ(attribute(models[0], "pat", "kind"), "(none)");
    EXPECT_FALSE(file.FindChild(models[0], "circ"));
    EXPECT_EQ(attribute(models[1], "fin", "t"), "0.2000");
    EXPECT_EQ(attribute(models[1], "pat", "kind"), "Staggered");
    EXPECT_EQ(attribute(models[1], "circ", "basis"), "height");

    // Read back, the ranges are what was written.
    const TMakerRanges back = *ReadMaker(file, "Acme");
    ASSERT_EQ(back.Ranges.size(), 2u);
    ExpectSameRange(back.Ranges[0], ranges[0]);
    ExpectSameRange(back.Ranges[1], ranges[1]);
    EXPECT_EQ(ReadMakerNames(file), (std::vector<std::string>{"Other", "Acme"}));
}

TEST(CatalogueFileTest, AMakerNewToTheFileGetsItsOwnItemUnderANewRoot)
{
    TXMLFile file;
    NewCatalogueRoot(file);
    WriteMaker(file, "Default", {DefaultMnfRec()});
    const TXMLFile::TNode root = file.Root();
    EXPECT_STREQ(root.name(), "catalog");
    EXPECT_STREQ(root.attribute("kind").value(), "coil");
    EXPECT_STREQ(root.attribute("version").value(), "1.0.0.0");
    EXPECT_STREQ(root.attribute("developer").value(), "korvane");
    EXPECT_EQ(file.ReadPathAttribute(root, {"item", "model"}, "", "name"), "1/2 inch");
    EXPECT_EQ(file.ReadText(file.FindChild(root, "item"), "range", ""), "fin and tube coil");
    const TMakerRanges back = *ReadMaker(file, "Default");
    ASSERT_EQ(back.Ranges.size(), 1u);
    ExpectSameRange(back.Ranges[0], DefaultMnfRec());
}

}  // namespace
}  // namespace vantor

// Every field of the coil model record and of the liquid survives the data file, field by
// field. The cases are generated from the field tables, so a field added to a
// table is covered here without a word changed.

#include "datafile/data_file_elements.h"

#include "fluids/liquid.h"
#include "xml/xml_file.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

namespace vantor {
namespace {

// The record with every field moved off its value: texts extended, numbers scaled, flags
// flipped, codes to the next valid code, other integers up by two.
template <typename Rec, std::size_t N>
Rec WithEveryFieldChanged(Rec rec, const std::array<TRecordField<Rec>, N>& fields)
{
    for (const TRecordField<Rec>& field : fields) {
        VisitField(field, rec, [&field](auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>)
                value += " changed";
            else if constexpr (std::is_same_v<T, double>)
                value = value * 1.25 + 0.001;
            else if constexpr (std::is_same_v<T, bool>)
                value = !value;
            else
                value = static_cast<T>(field.Codes > 0 ? (value + 1) % field.Codes : value + 2);
        });
    }
    return rec;
}

template <typename Rec, std::size_t N>
void ExpectSameFields(const Rec& expected, const Rec& actual, const std::array<TRecordField<Rec>, N>& fields)
{
    for (const TRecordField<Rec>& field : fields)
        std::visit([&](auto member) { EXPECT_EQ(actual.*member, expected.*member) << field.Name; }, field.Member);
}

template <typename Rec, std::size_t N>
std::vector<std::string> FieldNames(const std::array<TRecordField<Rec>, N>& fields)
{
    std::vector<std::string> names;
    for (const TRecordField<Rec>& field : fields) names.emplace_back(field.Name);
    return names;
}

std::vector<std::string> ChildNames(TXMLFile::TNode node)
{
    std::vector<std::string> names;
    for (const TXMLFile::TNode child : node.children()) names.emplace_back(child.name());
    return names;
}

TEST(RecordFields, ModelRecordRoundTripsThroughTheDataFile)
{
    const TModelRec written = WithEveryFieldChanged(TModelRec{}, ModelRecFields);
    for (const TRecordField<TModelRec>& field : ModelRecFields)
        std::visit([&](auto member) { EXPECT_NE(written.*member, TModelRec{}.*member) << field.Name; }, field.Member);

    TXMLFile file;
    const TXMLFile::TNode root = file.NewRoot("datafile", "Vantor", "1.0.0.0");
    WriteModelRec(file, root, written);
    const TXMLFile::TNode node = file.FindChild(root, kGeometryElement);
    EXPECT_EQ(ChildNames(node), FieldNames(ModelRecFields));
    TInputCheck check;
    ExpectSameFields(written, ReadModelRec(file, node, TModelRec{}, check), ModelRecFields);
    EXPECT_TRUE(check.Empty());
}

// The liquid recomputes its properties on reading: a liquid whose properties are its own
// comes back with the same ones.
TEST(RecordFields, LiquidRoundTripsThroughTheDataFile)
{
    TLiquid written("Heating water", 0.85, 82, 68, 0);
    written.Pf = 3.5;
    written.WaterAdditive = 2;
    written.AdditiveVolume = 0.35;
    written.UserRo = 1010;
    written.UserCp = 3.8;
    written.UserMu = 0.0011;
    written.UserKo = 0.00052;
    written.Update();

    TXMLFile file;
    const TXMLFile::TNode root = file.NewRoot("datafile", "Vantor", "1.0.0.0");
    WriteLiquid(file, root, written);
    const TXMLFile::TNode node = file.FindChild(root, kLiquidElement);
    EXPECT_EQ(ChildNames(node), FieldNames(LiquidFields));
    TLiquid read("Other", 0.2, 50, 40, 3);
    read.UserProps = true;
    TInputCheck check;
    ReadLiquid(file, node, read, check);
    ExpectSameFields(written, read, LiquidFields);
    EXPECT_TRUE(check.Empty());
}

}  // namespace
}  // namespace vantor

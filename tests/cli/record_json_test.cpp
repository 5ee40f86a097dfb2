// The JSON members of a record, generated from its field table: every field under its name, in
// the table's order, and read back into a record it gives the same value.

#include "cli/record_json.h"

#include "fluids/liquid.h"
#include "geometry/model_rec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

template <typename Rec, std::size_t N>
void ExpectRoundTrip(const Rec& written, Rec read, const std::array<TRecordField<Rec>, N>& fields)
{
    const nlohmann::ordered_json json = cli::FieldsJson(written, fields);
    std::vector<std::string> keys;
    for (const auto& [key, value] : json.items()) keys.push_back(key);
    std::vector<std::string> names;
    for (const TRecordField<Rec>& field : fields) names.emplace_back(field.Name);
    EXPECT_EQ(keys, names);

    for (const TRecordField<Rec>& field : fields)
        VisitField(field, read, [&](auto& value) { json.at(std::string(field.Name)).get_to(value); });
    for (const TRecordField<Rec>& field : fields)
        std::visit([&](auto member) { EXPECT_EQ(read.*member, written.*member) << field.Name; }, field.Member);
}

TEST(RecordJson, ModelRecordRoundTripsFieldByField)
{
    TModelRec written;
    written.Mnf = "Typical";
    written.Model = "5/8 inch";
    written.Tube = 5;
    written.Code = 2;
    written.fHeight = 0.7625;
    written.Rows = 3;
    written.Serp = 4;
    written.tp = kInLine;
    written.Rifle = true;
    written.Sections = 2;
    written.Mc = 3;
    ExpectRoundTrip(written, TModelRec{}, ModelRecFields);
}

TEST(RecordJson, LiquidRoundTripsFieldByField)
{
    TLiquid written("Heating water", 0.85, 82, 68, 0);
    written.WaterAdditive = 1;
    written.AdditiveVolume = 0.3;
    written.UserProps = true;
    written.Update();
    ExpectRoundTrip(written, TLiquid("Other", 0.1, 40, 30, 5), LiquidFields);
}

}  // namespace
}  // namespace vantor

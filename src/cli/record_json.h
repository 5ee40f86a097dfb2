#pragma once

// A record's fields as JSON members under the names the data file gives them, driven by the
// record's field table: every field in the table's order, or the summary's fields in theirs.

#include "text/record_field.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cstddef>
#include <vector>

namespace vantor::cli {

template <typename Rec>
void AddFields(nlohmann::ordered_json& json, const Rec& rec, const std::vector<const TRecordField<Rec>*>& fields)
{
    for (const TRecordField<Rec>* field : fields)
        VisitField(*field, rec, [&](const auto& value) { json[std::string(field->Name)] = value; });
}

template <typename Rec, std::size_t N>
void AddSummaryFields(nlohmann::ordered_json& json, const Rec& rec, const std::array<TRecordField<Rec>, N>& fields)
{
    AddFields(json, rec, InSlotOrder(fields, &TRecordField<Rec>::SummarySlot));
}

template <typename Rec, std::size_t N>
nlohmann::ordered_json FieldsJson(const Rec& rec, const std::array<TRecordField<Rec>, N>& fields)
{
    std::vector<const TRecordField<Rec>*> all;
    for (const TRecordField<Rec>& field : fields) all.push_back(&field);
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    AddFields(json, rec, all);
    return json;
}

}  // namespace vantor::cli

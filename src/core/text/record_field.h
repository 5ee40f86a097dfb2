#pragma once

// A record's fields described once: the name the data file, the older stream and the JSON
// outputs use, the member that holds the value, how a number is written and which codes are
// valid. Every reader and writer of the record walks its table, so a field added there is
// stored, read back and listed everywhere at once.
//
//   constexpr TRecordField<TModelRec> kTube{.Name = "Tube", .Member = &TModelRec::Tube, .StreamSlot = 3};

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vantor {

template <typename Rec>
struct TRecordField {
    using TMember = std::variant<std::string Rec::*, double Rec::*, int Rec::*, std::uint8_t Rec::*, bool Rec::*>;

    std::string_view Name;
    TMember Member;
    // A number's printf format in the data file.
    std::string_view Format = {};
    // A code field takes 0 to Codes - 1; 0 for a field that is no code.
    int Codes = 0;
    // The code's name, written beside it in the data file as the attribute CodeAttribute.
    std::string_view CodeAttribute = {};
    std::string_view (*CodeLabel)(int) = nullptr;
    // Place in the older binary stream, from 1; 0 when the stream never held the field.
    // StreamSince: the first version of the stream's record that holds it.
    int StreamSlot = 0;
    int StreamSince = 0;
    // Place among the fields a summary output lists, from 1; 0 when the summary leaves it out.
    int SummarySlot = 0;
};

// The fields with a place in slot (StreamSlot or SummarySlot), in the order of their places.
template <typename Rec, std::size_t N>
std::vector<const TRecordField<Rec>*> InSlotOrder(const std::array<TRecordField<Rec>, N>& fields,
                                                  int TRecordField<Rec>::*slot)
{
    std::vector<const TRecordField<Rec>*> placed;
    for (const TRecordField<Rec>& field : fields)
        if (field.*slot > 0) placed.push_back(&field);
    std::ranges::sort(placed, {}, [slot](const TRecordField<Rec>* field) { return field->*slot; });
    return placed;
}

// The value a field holds in rec, passed to visit as a reference of the member's type.
template <typename Rec, typename Visitor>
decltype(auto) VisitField(const TRecordField<Rec>& field, Rec& rec, Visitor&& visit)
{
    return std::visit([&rec, &visit](auto member) -> decltype(auto) { return visit(rec.*member); }, field.Member);
}

template <typename Rec, typename Visitor>
decltype(auto) VisitField(const TRecordField<Rec>& field, const Rec& rec, Visitor&& visit)
{
    return std::visit([&rec, &visit](auto member) -> decltype(auto) { return visit(rec.*member); }, field.Member);
}

// Gives to the field of rec the value it has in from.
template <typename Rec>
void CopyField(const TRecordField<Rec>& field, const Rec& from, Rec& rec)
{
    std::visit([&from, &rec](auto member) { rec.*member = from.*member; }, field.Member);
}

}  // namespace vantor

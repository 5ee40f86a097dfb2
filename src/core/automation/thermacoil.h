#pragma once

// One automation object, "Thermacoil": a façade with no state of its own over the rating
// document, so that every object sees and changes the same coil and the user sees every change
// in the rows. Values are in SI units (kW, °C, m/s, kg/s, m³/s).
//
// Every member returns a result and passes its value in its last parameter. A get reads the
// model as it is and never solves. A put changes the model and writes the rows; the results
// shown then no longer belong to the inputs, so the document is marked not solved (the saved
// and modified marks stay). A put keeps the value as given, but a dry or wet bulb that leaves
// an air state the on-coil row would not take (a wet bulb above the dry bulb) is corrected
// as the row corrects it, and the correction joins the document's warnings. A put of a value
// that is not finite, a designation the coil cannot be built from, or an air state the
// psychrometric library cannot form, changes nothing and fails with a message. Solve is the
// document's Solve and gives the total duty.
//
// Two members follow the fixed interface: Warnings, what the last solve warned about and
// what the puts since corrected, and Solved, false after any put until the next good solve.

#include "text/result.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vantor {

class TRatingDocument;
struct TEditNotes;

enum class TAutomationAccess { Get, Put, Method };
enum class TAutomationType { String, Double, Int32, Boolean, StringList };

// A member of the interface "IThermacoil", in function-table order.
struct TThermacoilMember {
    int Slot;
    int DispId;
    std::string_view Name;
    TAutomationAccess Access;
    TAutomationType Type;
};
extern const std::array<TThermacoilMember, 22> kThermacoilMembers;

using TAutomationValue = std::variant<std::string, double, std::int32_t, bool, std::vector<std::string>>;

class TThermacoil {
public:
    explicit TThermacoil(TRatingDocument& document) : m_document(document) {}

    TResult GetModel(std::string& value) const;
    TResult PutModel(std::string_view value);
    TResult GetWaterOn(double& value) const;
    TResult PutWaterOn(double value);
    TResult GetQs(double& value) const;
    TResult GetQt(double& value) const;
    // The document's Solve, then the total duty. A solve that fails with a data error is a
    // failed call whose message is the solve panel's text followed by the warnings that say
    // why; one that did not converge passes, its status in CalcState.
    TResult Solve(double& value);
    TResult GetAirFaceVelocity(double& value) const;
    TResult PutAirFaceVelocity(double value);
    TResult GetWaterFlow(double& value) const;
    TResult PutWaterFlow(double value);
    TResult GetDBon(double& value) const;
    TResult PutDBon(double value);
    TResult GetWBon(double& value) const;
    TResult PutWBon(double value);
    TResult GetCalcState(std::int32_t& value) const;
    TResult GetInletAirFlow(double& value) const;
    TResult PutInletAirFlow(double value);
    TResult GetAirMassFlow(double& value) const;
    TResult PutAirMassFlow(double value);
    TResult GetWarnings(std::vector<std::string>& value) const;
    TResult GetSolved(bool& value) const;

    // The members by name, for a channel that dispatches by name. A put takes a value of
    // its member's type (a number for a double); "Solve" is invoked through Get.
    TResult Get(std::string_view name, TAutomationValue& value);
    TResult Put(std::string_view name, const TAutomationValue& value);

    TRatingDocument& Document() const { return m_document; }

private:
    // A put's outcome for the client: a refusal names the property, corrections become notes.
    TResult PutThrough(std::string_view name, const TEditNotes& put);

    TRatingDocument& m_document;
};

}  // namespace vantor

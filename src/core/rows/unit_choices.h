#pragma once

// The user's preferred unit for every units type, as the customise-units window shows them,
// with the Metric and Imperial presets. The main window applies these choices to its rows
// and to the registry quantities no row shows. Kept in the shared settings, section
// "SetUnitsForm", one integer per type under the type's display name ("Temperature=1").

#include "settings/settings_store.h"
#include "units/units_type.h"

#include <array>
#include <string_view>

namespace vantor {

class TPropertyRows;

inline constexpr std::string_view kUnitChoicesSection = "SetUnitsForm";

class TUnitChoices {
public:
    // Starts with the Metric choices.
    TUnitChoices();

    // Every type but utProportion takes the unit of the preset; utProportion keeps its choice.
    void Metric();
    void Imperial();

    int UnitChoice(TUnitsType type) const;
    // An index that fits no unit of the type is refused (false) and the choice stays.
    bool SetUnitChoice(TUnitsType type, int index);

    // Every numeric row bound to a units type shows that type's choice.
    void ApplyUnitChoices(TPropertyRows& rows) const;

    // A missing value, or one that fits no unit of its type, keeps the present choice.
    void Load(const TSettingsStore& sharedKey);
    void Save(TSettingsStore& sharedKey) const;

    bool operator==(const TUnitChoices&) const = default;

private:
    void ApplyPreset(int (*preset)(TUnitsType, int));

    std::array<int, kUnitsTypeCount> m_choices{};
};

}  // namespace vantor

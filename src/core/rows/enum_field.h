#pragma once

// A drop-down row: the value is an index into Items ("Fluid Control; enum; ; Temperature;
// Flow" stores 0 for "Temperature", 1 for "Flow").

#include "rows/field.h"

#include <vector>

namespace vantor {

class TEnumField : public TField {
public:
    explicit TEnumField(std::vector<std::string> items);

    std::vector<std::string> Items;

    // The index of the text in Items (compared without regard to case), -1 when absent.
    int IndexOf(std::string_view text) const;

    std::string InitialText() const override;
    std::string ValueToText(const TVariant& value) const override;
    TVariant TextToValue(std::string_view text) const override;
};

}  // namespace vantor

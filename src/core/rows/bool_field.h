#pragma once

// A check-box row: the value is a boolean, shown "[x]" or "[ ]".

#include "rows/field.h"

namespace vantor {

class TBoolField : public TField {
public:
    TBoolField();

    std::string ValueToText(const TVariant& value) const override;
    TVariant TextToValue(std::string_view text) const override;
};

}  // namespace vantor

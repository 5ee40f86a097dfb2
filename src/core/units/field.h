#pragma once

// A property row's field: how the row is edited and how its value text and its stored value
// turn into each other. The row descriptor (row_descriptor.h) chooses the kind:
//   TField          a text row; the value is the text, shown through FormatStr ("%s")
//   TNumField       a number in a unit (num_field.h), TDelimNumField a pair "a/b" in one unit
//   TEnumField      a choice among strings; the value is the index (enum_field.h)
//   TBoolField      a check box; the value is a boolean (bool_field.h)

#include "units/variant.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vantor {

enum TFieldStyle : std::uint8_t {
    fs_Edit,      // in-place text editor
    fs_PropEdit,  // property editor button ("...")
    fs_DropDown,  // drop-down list
    fs_Spin,      // spin buttons
    fs_Check,     // check box
};

// A row's property editor: gets the row's value, may change it, and answers 1 (accepted:
// write the value back and notify), 2 (cancelled: focus back to the grid) or anything else.
using TPropEditCallback = std::function<int(TVariant& value)>;

class TField {
public:
    explicit TField(std::string formatStr = "%S", TFieldStyle style = fs_Edit);
    virtual ~TField() = default;

    std::string FormatStr;
    TFieldStyle Style;
    bool Enabled = true;   // a disabled row is greyed and cannot be edited
    bool Editable = true;  // false blocks the in-place editor only
    TPropEditCallback OnPropEdit;

    // The value cell's text when the row is built.
    virtual std::string InitialText() const;
    // A stored value as the value cell's text; empty when the value does not suit the row.
    virtual std::string ValueToText(const TVariant& value) const;
    // The value cell's text as a stored value; the text itself when it cannot be converted.
    virtual TVariant TextToValue(std::string_view text) const;
};

}  // namespace vantor

#pragma once

// A property row's field: how the row is edited and how its value text and its stored value
// turn into each other. The row descriptor (row_descriptor.h) chooses the kind:
//   TField          a text row; the value is the text, shown through FormatStr ("%s")
//   TNumField       a number in a unit (num_field.h), TDelimNumField a pair "a/b" in one unit
//   TEnumField      a choice among strings; the value is the index (enum_field.h)
//   TBoolField      a check box; the value is a boolean (bool_field.h)

#include "rows/variant.h"

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

// What a row's property editor answers; the numbers are those of the grid's callback.
enum class TPropEditAnswer : int {
    Ignored = 0,    // nothing follows
    Accepted = 1,   // the value it left is written back and notified; the grid takes the focus
    Cancelled = 2,  // or handled without a new value: the grid only takes the focus
};

// A row's property editor: gets the row's value, may change it, and answers.
using TPropEditCallback = std::function<TPropEditAnswer(TVariant& value)>;

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

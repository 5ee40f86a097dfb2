#pragma once

// The rules of the "Properties" window over the file properties it edits: the six values are
// kept when the window opens, so that "Cancel" puts them back; "Accept" with "Keep as default"
// stores the project and user fields as the defaults of new files. "Modified" tells whether
// the project name, number, comments or date differ from what the window opened with.

#include "reports/file_properties.h"

namespace vantor {

class TFilePropertiesEdit {
public:
    explicit TFilePropertiesEdit(TFileProperties& properties) : m_properties(properties), m_saved(properties) {}

    TFileProperties& Properties() const { return m_properties; }
    // The values as they were when the window was last opened.
    const TFileProperties& Saved() const { return m_saved; }

    // The window opens: the present values become those "Cancel" returns to.
    void Activate() { m_saved = m_properties; }
    // "Accept": with keepAsDefault the project name and number, user and organisation go to
    // the program key, section "File Properties".
    void Accept(bool keepAsDefault, TSettingsStore& programKey) const;
    // "Cancel": the values of the last Activate come back.
    void Cancel() { m_properties = m_saved; }

    bool Modified() const;
    // Any of the six values differs from the opening ones.
    bool Changed() const { return !(m_properties == m_saved); }

private:
    TFileProperties& m_properties;
    TFileProperties m_saved;
};

// Keyboard moves between the window's controls: Enter and Down go to the next control, Up to
// the previous one, except where the control needs the key itself.
enum class TFocusKey { Enter, Down, Up };
enum class TFocusControl { Plain, List, DropDown, MultiLine, MultiLineWithBreaks };
enum class TFocusMove { None, Next, Previous };

// None leaves the key to the control: lists (grids, list boxes and views) keep all three,
// drop-down lists and multi-line edits keep Down and Up, and a multi-line edit that takes
// line breaks keeps Enter as well.
TFocusMove FocusMoveFor(TFocusKey key, TFocusControl control);

}  // namespace vantor

#include "reports/file_properties_edit.h"

namespace vantor {

void TFilePropertiesEdit::Accept(bool keepAsDefault, TSettingsStore& programKey) const
{
    if (keepAsDefault) WriteFilePropertiesDefaults(programKey, m_properties.Defaults());
}

bool TFilePropertiesEdit::Modified() const
{
    return m_properties.ProjectName != m_saved.ProjectName || m_properties.ProjectNumber != m_saved.ProjectNumber ||
           m_properties.Description != m_saved.Description || m_properties.Date != m_saved.Date;
}

TFocusMove FocusMoveFor(TFocusKey key, TFocusControl control)
{
    const TFocusMove move = key == TFocusKey::Up ? TFocusMove::Previous : TFocusMove::Next;
    switch (control) {
    case TFocusControl::Plain:
        return move;
    case TFocusControl::List:
        return TFocusMove::None;
    case TFocusControl::DropDown:
    case TFocusControl::MultiLine:
        return key == TFocusKey::Enter ? move : TFocusMove::None;
    case TFocusControl::MultiLineWithBreaks:
        return TFocusMove::None;
    }
    return TFocusMove::None;
}

}  // namespace vantor

#include "document/document_status.h"

#include "text/text_routines.h"

#include <filesystem>
#include <utility>

namespace vantor {

void TDocumentStatus::SetSaved(bool saved)
{
    m_saved = saved;
    if (saved) SetModified(false);
}

void TDocumentStatus::SetSolved(bool solved)
{
    m_solved = solved;
    SetText(spSolve, solved ? kSolvedText : kNotSolvedText);
}

void TDocumentStatus::SetModified(bool modified)
{
    m_modified = modified;
    if (!modified) {
        SetText(spEdit, kReadyText);
        return;
    }
    SetText(spEdit, kModifiedText);
    // The warnings belonged to the inputs just changed.
    SetWarnings({});
    SetSolved(false);
    SetSaved(false);
}

void TDocumentStatus::SetEdited()
{
    m_modified = true;
    m_saved = false;
    SetText(spEdit, kModifiedText);
}

void TDocumentStatus::SetDataError()
{
    m_solved = false;
    SetText(spSolve, kDataErrorText);
}

void TDocumentStatus::SetFileName(std::string_view fileName)
{
    m_fileText = std::filesystem::path(fileName).filename().string();
    m_warnings.clear();
    SetText(spFile, m_fileText);
}

void TDocumentStatus::SetWarnings(std::vector<std::string> warnings)
{
    if (warnings.empty() && m_warnings.empty()) return;
    m_warnings = std::move(warnings);
    SetText(spFile, m_warnings.empty() ? m_fileText : Joined(m_warnings, "; "));
}

void TDocumentStatus::SetText(TStatusPanel panel, std::string_view text)
{
    m_texts[panel] = text;
    if (m_observer) m_observer->StatusTextChanged(panel, text);
}

}  // namespace vantor

#include "document/document_status.h"

#include <filesystem>

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
    SetSolved(false);
    SetSaved(false);
}

void TDocumentStatus::SetDataError()
{
    m_solved = false;
    SetText(spSolve, kDataErrorText);
}

void TDocumentStatus::SetFileName(std::string_view fileName)
{
    SetText(spFile, std::filesystem::path(fileName).filename().string());
}

void TDocumentStatus::SetText(TStatusPanel panel, std::string_view text)
{
    m_texts[panel] = text;
    if (m_observer) m_observer->StatusTextChanged(panel, text);
}

}  // namespace vantor

#pragma once

// The document's three flags and the status line that shows them:
//   Saved     the document equals its file
//   Solved    the shown results belong to the present inputs
//   Modified  an input changed since the document was opened or saved (a solve keeps it)
// The flags change only through SetSaved, SetSolved, SetModified and SetDataError, which also
// write the panel texts and pass them on to the observer.

#include "document/document_observer.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

inline constexpr std::string_view kReadyText = "Ready...";
inline constexpr std::string_view kModifiedText = "Modified";
inline constexpr std::string_view kSolvedText = "Solved...";
inline constexpr std::string_view kNotSolvedText = "Not Solved";
inline constexpr std::string_view kDataErrorText = "Data Error...";

class TDocumentStatus {
public:
    // The listener that receives the panel texts from now on; null for none.
    void SetObserver(TDocumentObserver* observer) { m_observer = observer; }

    bool Saved() const { return m_saved; }
    bool Solved() const { return m_solved; }
    bool Modified() const { return m_modified; }

    // True also clears Modified.
    void SetSaved(bool saved);
    void SetSolved(bool solved);
    // True also clears Solved and Saved.
    void SetModified(bool modified);
    // A change to what the file keeps beside the rating (its properties): modified and not
    // saved, while the solve still stands.
    void SetEdited();
    // A failed solve: not solved, and the solve panel says why.
    void SetDataError();
    // The file panel shows the name without its folder.
    void SetFileName(std::string_view fileName);
    // What the last solve warned about. The file panel shows it instead of the file name
    // until the next edit, file name or solve; none brings the file name back.
    void SetWarnings(std::vector<std::string> warnings);
    const std::vector<std::string>& Warnings() const { return m_warnings; }

    const std::string& Text(TStatusPanel panel) const { return m_texts[panel]; }

private:
    void SetText(TStatusPanel panel, std::string_view text);

    TDocumentObserver* m_observer = nullptr;
    bool m_saved = false;
    bool m_solved = false;
    bool m_modified = false;
    std::array<std::string, kStatusPanelCount> m_texts;
    std::string m_fileText;  // the file panel's text without a warning
    std::vector<std::string> m_warnings;
};

}  // namespace vantor

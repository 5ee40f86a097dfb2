#pragma once

// How the rating document talks to whoever shows it. The document never knows a window: it
// reports status-line texts, messages, changed rows and a new report through this interface.
// The main window implements it and re-emits the calls to its widgets; the command line
// prints what it needs; the tests record the calls. Every method has a do-nothing default so
// that a listener overrides only what it shows.

#include "reports/report_sink.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// The three panels of the status line.
enum TStatusPanel : int {
    spEdit = 0,   // "Ready..." or "Modified"
    spSolve = 1,  // "Solved...", "Not Solved" or "Data Error..."
    spFile = 2,   // the data file's name without folder
};
inline constexpr int kStatusPanelCount = 3;

enum class TMessageKind { Information, Warning, Error };

enum class TAnswer { Yes, No, Cancel };

// The report the report window shows after a solve or a change of units: the coil's report
// and an empty line when the document is solved, else the single line "Not Solved".
struct TDocumentReport {
    std::vector<TStringSink::TLine> Lines;
    std::string Footer;  // shown in italics after the lines; empty when not solved
};

class TDocumentObserver {
public:
    virtual ~TDocumentObserver() = default;

    virtual void StatusTextChanged(TStatusPanel /*panel*/, std::string_view /*text*/) {}
    virtual void ShowMessage(std::string_view /*text*/, TMessageKind /*kind*/) {}
    // A question with Yes, No and Cancel; a listener that cannot ask answers Cancel, which
    // leaves everything as it was.
    virtual TAnswer Ask(std::string_view /*question*/) { return TAnswer::Cancel; }
    // The property rows were rewritten (values, labels, units or enabled states).
    virtual void RowsChanged() {}
    virtual void ReportReady(const TDocumentReport& /*report*/) {}
    // Whether ReportReady is shown at all; a listener that never shows the report spares the
    // document from writing it after every solve.
    virtual bool WantsReport() const { return true; }
};

}  // namespace vantor

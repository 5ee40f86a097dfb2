#include "document/document_status.h"

#include "document_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace vantor {
namespace {

TEST(DocumentStatus, FlagsAndTheirStatusTexts)
{
    using TStep = std::function<void(TDocumentStatus&)>;
    struct TCase {
        const char* Name;
        TStep Step;
        bool Saved, Solved, Modified;
        const char* Edit;
        const char* Solve;
    };
    // One document's life, step by step.
    const TCase steps[] = {
        {"new document", [](TDocumentStatus& s) { s.SetSaved(true); s.SetSolved(false); },
         true, false, false, "Ready...", "Not Solved"},
        {"solved", [](TDocumentStatus& s) { s.SetSolved(true); }, true, true, false, "Ready...", "Solved..."},
        {"properties changed", [](TDocumentStatus& s) { s.SetEdited(); }, false, true, true, "Modified", "Solved..."},
        {"edited", [](TDocumentStatus& s) { s.SetModified(true); }, false, false, true, "Modified", "Not Solved"},
        {"solved again", [](TDocumentStatus& s) { s.SetSolved(true); }, false, true, true, "Modified", "Solved..."},
        {"failed solve", [](TDocumentStatus& s) { s.SetDataError(); }, false, false, true, "Modified", "Data Error..."},
        {"saved", [](TDocumentStatus& s) { s.SetSaved(true); }, true, false, false, "Ready...", "Data Error..."},
    };
    test::TRecorder recorder;
    TDocumentStatus status;
    status.SetObserver(&recorder);
    for (const TCase& c : steps) {
        SCOPED_TRACE(c.Name);
        c.Step(status);
        EXPECT_EQ(status.Saved(), c.Saved);
        EXPECT_EQ(status.Solved(), c.Solved);
        EXPECT_EQ(status.Modified(), c.Modified);
        EXPECT_EQ(recorder.Panels[spEdit], c.Edit);
        EXPECT_EQ(recorder.Panels[spSolve], c.Solve);
        EXPECT_EQ(status.Text(spSolve), c.Solve);
    }

    status.SetFileName("/jobs/north wing/AHU-3.hqx");
    EXPECT_EQ(recorder.Panels[spFile], "AHU-3.hqx");
}

}  // namespace
}  // namespace vantor

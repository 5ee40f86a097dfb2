#pragma once

// A private home for each test: temporary configuration, data and home folders, the build
// tree's installed files as the maker root, and a listener that records what the document
// says.

#include "document/rating_document.h"
#include "support/temp_folder.h"
#include "units/units_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantor::test {

struct TRecordedMessage {
    std::string Text;
    TMessageKind Kind;
};

class TRecorder : public TDocumentObserver {
public:
    void StatusTextChanged(TStatusPanel panel, std::string_view text) override { Panels[panel] = text; }
    void ShowMessage(std::string_view text, TMessageKind kind) override { Messages.push_back({std::string(text), kind}); }
    void RowsChanged() override { ++RowChanges; }
    void ReportReady(const TDocumentReport& report) override { Report = report; }

    std::array<std::string, kStatusPanelCount> Panels;
    std::vector<TRecordedMessage> Messages;
    int RowChanges = 0;
    std::optional<TDocumentReport> Report;
};

// Creates documents the way the program does: the units registry from "units.ini", then the
// document from the program and shared keys. Restart closes the document (its settings are
// written and flushed) and creates a new one from them, as the next run of the program would.
class TDocumentFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_folder.Path().empty()) << "cannot make a temporary folder";
        for (const char* sub : {"config", "data", "home"}) std::filesystem::create_directories(m_folder / sub);
        ::setenv("XDG_CONFIG_HOME", (m_folder / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (m_folder / "data").c_str(), 1);
        ::setenv("HOME", (m_folder / "home").c_str(), 1);
        ::setenv("VANTOR_MAKER_ROOT", VANTOR_SHARE_DIR, 1);
        Env = TFolderEnvironment::FromProcess();
    }

    void TearDown() override
    {
        Document.reset();
        m_program.reset();
        m_shared.reset();
    }

    TRatingDocument& Open(std::vector<std::string> arguments = {})
    {
        Units = StandardUnitsRegistry();
        Units.LoadUnitsIni(Env);
        m_program = std::make_unique<TSettingsStore>(TSettingsKey::Program, Env);
        m_shared = std::make_unique<TSettingsStore>(TSettingsKey::Shared, Env);
        Recorder = TRecorder();
        Document = std::make_unique<TRatingDocument>(
            TDocumentServices{Units, *m_program, *m_shared, Env, &Recorder, std::move(arguments)});
        return *Document;
    }

    TRatingDocument& Restart()
    {
        Document->SaveOnClose(*m_program, *m_shared);
        EXPECT_TRUE(m_program->Flush());
        EXPECT_TRUE(m_shared->Flush());
        Document.reset();
        return Open();
    }

    TSettingsStore& ProgramKey() { return *m_program; }
    TSettingsStore& SharedKey() { return *m_shared; }
    const std::filesystem::path& Folder() const { return m_folder.Path(); }

    // The value cell of a row.
    std::string Row(int row) const { return Document->Rows().Cell(kValueColumn, row); }

    TFolderEnvironment Env;
    TUnitsRegistry Units;
    TRecorder Recorder;
    std::unique_ptr<TRatingDocument> Document;

private:
    TTempFolder m_folder;
    std::unique_ptr<TSettingsStore> m_program;
    std::unique_ptr<TSettingsStore> m_shared;
};

}  // namespace vantor::test

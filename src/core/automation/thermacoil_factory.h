#pragma once

// The class factory of the automation objects: it creates "Thermacoil" objects over the one
// rating document, counts them and releases them, one by one or all those of a client that
// went away. When the program was started to serve automation, releasing the last object
// ends it. The D-Bus server offers these operations on the session bus.

#include "automation/thermacoil.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Type library "Vantor", class "Thermacoil", program identifier "Vantor.Thermacoil".
inline constexpr std::string_view kAutomationLibrary = "Vantor";
inline constexpr std::string_view kAutomationClass = "Thermacoil";
inline constexpr std::string_view kAutomationProgId = "Vantor.Thermacoil";
// The same on the session bus.
inline constexpr std::string_view kAutomationService = "com.korvane.Vantor";
inline constexpr std::string_view kAutomationInterface = "com.korvane.Vantor.IThermacoil";
inline constexpr std::string_view kAutomationFactoryPath = "/Thermacoil";

// Closing the main window while objects are alive asks this question (Yes closes, No is the
// default and keeps the program running).
inline constexpr std::string_view kComServerWarningCaption = "COM Server Warning";
inline constexpr std::string_view kComServerWarningText =
    "There are still active COM objects in this application.  One or more clients may have references to these "
    "objects, so manually closing this application may cause those client application(s) to fail.\n\n"
    "Are you sure you want to close this application?";

// The start-up switches, with a leading "-" or "/" in any case.
struct TAutomationSwitches {
    bool Automation = false;   // "AUTOMATION"
    bool Embedding = false;    // "EMBEDDING"
    bool RegServer = false;    // "REGSERVER": register, then exit
    bool UnregServer = false;  // "UNREGSERVER": unregister, then exit
    bool StartedForAutomation() const { return Automation || Embedding; }
};
TAutomationSwitches ParseAutomationSwitches(const std::vector<std::string>& arguments);

class TThermacoilFactory {
public:
    explicit TThermacoilFactory(TRatingDocument& document) : m_document(document) {}

    // A new object for a client (its bus name; empty for one inside the program). Ids start
    // at 1 and are never given twice.
    int CreateInstance(std::string_view client = {});
    // Nothing for an id that names no live object.
    TThermacoil* Instance(int id);
    // Only the client that created an object may release it: another client's object stays,
    // so one client cannot take away what another is working with (nor, with the last object,
    // end the program under it).
    enum class TRelease { Released, NoObject, OtherClient };
    TRelease Release(int id, std::string_view client = {});
    // A client left: every object it created is released. Returns how many were.
    int ReleaseClient(std::string_view client);
    int ObjectCount() const { return static_cast<int>(m_objects.size()); }
    // The ids of the live objects, in ascending order.
    std::vector<int> InstanceIds() const;

    // Set when the program was started for automation: releasing the last object then calls
    // OnLastRelease, which ends the program.
    bool StartedForAutomation = false;
    std::function<void()> OnLastRelease;

    // The question closing the main window asks while objects are alive; nothing otherwise.
    std::optional<std::string> CloseQuestion() const;

private:
    struct TEntry {
        std::unique_ptr<TThermacoil> Object;
        std::string Client;
    };

    void Released();

    TRatingDocument& m_document;
    std::map<int, TEntry> m_objects;
    int m_lastId = 0;
};

}  // namespace vantor

#include "automation/thermacoil_factory.h"

#include "text/text_routines.h"

namespace vantor {

TAutomationSwitches ParseAutomationSwitches(const std::vector<std::string>& arguments)
{
    TAutomationSwitches switches;
    for (const std::string& argument : arguments) {
        if (argument.size() < 2 || (argument[0] != '-' && argument[0] != '/')) continue;
        const std::string_view name = std::string_view(argument).substr(1);
        if (SameText(name, "AUTOMATION"))
            switches.Automation = true;
        else if (SameText(name, "EMBEDDING"))
            switches.Embedding = true;
        else if (SameText(name, "REGSERVER"))
            switches.RegServer = true;
        else if (SameText(name, "UNREGSERVER"))
            switches.UnregServer = true;
    }
    return switches;
}

int TThermacoilFactory::CreateInstance(std::string_view client)
{
    const int id = ++m_lastId;
    m_objects.emplace(id, TEntry{std::make_unique<TThermacoil>(m_document), std::string(client)});
    return id;
}

TThermacoil* TThermacoilFactory::Instance(int id)
{
    const auto found = m_objects.find(id);
    return found == m_objects.end() ? nullptr : found->second.Object.get();
}

TThermacoilFactory::TRelease TThermacoilFactory::Release(int id, std::string_view client)
{
    const auto found = m_objects.find(id);
    if (found == m_objects.end()) return TRelease::NoObject;
    if (found->second.Client != client) return TRelease::OtherClient;
    m_objects.erase(found);
    Released();
    return TRelease::Released;
}

std::vector<int> TThermacoilFactory::InstanceIds() const
{
    std::vector<int> ids;
    for (const auto& [id, entry] : m_objects) ids.push_back(id);
    return ids;
}

int TThermacoilFactory::ReleaseClient(std::string_view client)
{
    const auto released = std::erase_if(m_objects, [client](const auto& entry) { return entry.second.Client == client; });
    if (released > 0) Released();
    return static_cast<int>(released);
}

void TThermacoilFactory::Released()
{
    if (m_objects.empty() && StartedForAutomation && OnLastRelease) OnLastRelease();
}

std::optional<std::string> TThermacoilFactory::CloseQuestion() const
{
    if (m_objects.empty()) return std::nullopt;
    return std::string(kComServerWarningText);
}

}  // namespace vantor

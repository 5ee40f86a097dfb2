#include "gui/automation/thermacoil_introspection.h"

#include <algorithm>

namespace vantor {

namespace {

constexpr std::string_view kDocType =
    "<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
    " \"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n";

constexpr std::string_view kStandardInterfaces =
    "  <interface name=\"org.freedesktop.DBus.Introspectable\">\n"
    "    <method name=\"Introspect\">\n"
    "      <arg name=\"xml_data\" type=\"s\" direction=\"out\"/>\n"
    "    </method>\n"
    "  </interface>\n"
    "  <interface name=\"org.freedesktop.DBus.Peer\">\n"
    "    <method name=\"Ping\"/>\n"
    "    <method name=\"GetMachineId\">\n"
    "      <arg name=\"machine_uuid\" type=\"s\" direction=\"out\"/>\n"
    "    </method>\n"
    "  </interface>\n"
    "  <interface name=\"org.freedesktop.DBus.Properties\">\n"
    "    <method name=\"Get\">\n"
    "      <arg name=\"interface_name\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"property_name\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"value\" type=\"v\" direction=\"out\"/>\n"
    "    </method>\n"
    "    <method name=\"Set\">\n"
    "      <arg name=\"interface_name\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"property_name\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"value\" type=\"v\" direction=\"in\"/>\n"
    "    </method>\n"
    "    <method name=\"GetAll\">\n"
    "      <arg name=\"interface_name\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"values\" type=\"a{sv}\" direction=\"out\"/>\n"
    "    </method>\n"
    "    <signal name=\"PropertiesChanged\">\n"
    "      <arg name=\"interface_name\" type=\"s\"/>\n"
    "      <arg name=\"changed_properties\" type=\"a{sv}\"/>\n"
    "      <arg name=\"invalidated_properties\" type=\"as\"/>\n"
    "    </signal>\n"
    "  </interface>\n";

std::string DispatchAnnotation(int dispId, std::string_view indent)
{
    return std::string(indent) + "<annotation name=\"" + std::string(kDispatchIdAnnotation) + "\" value=\"" +
           std::to_string(dispId) + "\"/>\n";
}

std::string FactoryInterface()
{
    return "  <interface name=\"" + std::string(kFactoryInterface) +
           "\">\n"
           "    <method name=\"CreateInstance\">\n"
           "      <arg name=\"Object\" type=\"o\" direction=\"out\"/>\n"
           "    </method>\n"
           "    <method name=\"Release\">\n"
           "      <arg name=\"Object\" type=\"o\" direction=\"in\"/>\n"
           "    </method>\n"
           "  </interface>\n";
}

// The members in function-table order: a property where its get comes first, the method
// where it stands.
std::string ThermacoilInterface()
{
    std::string xml = "  <interface name=\"" + std::string(kAutomationInterface) + "\">\n";
    // Values change through the window and through other clients; nobody is told.
    xml += "    <annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" value=\"false\"/>\n";
    for (const TThermacoilMember& member : kThermacoilMembers) {
        if (member.Access == TAutomationAccess::Method) {
            xml += "    <method name=\"" + std::string(member.Name) + "\">\n      <arg name=\"Value\" type=\"" +
                   std::string(DBusTypeCode(member.Type)) + "\" direction=\"out\"/>\n" +
                   DispatchAnnotation(member.DispId, "      ") + "    </method>\n";
        } else if (member.Access == TAutomationAccess::Get) {
            const TThermacoilProperty& property = *FindThermacoilProperty(member.Name);
            xml += "    <property name=\"" + std::string(property.Name) + "\" type=\"" +
                   std::string(DBusTypeCode(property.Type)) + "\" access=\"" +
                   (property.Writable ? "readwrite" : "read") + "\">\n" +
                   DispatchAnnotation(property.DispId, "      ") + "    </property>\n";
        }
    }
    return xml + "  </interface>\n";
}

std::vector<TThermacoilProperty> BuildProperties()
{
    std::vector<TThermacoilProperty> properties;
    for (const TThermacoilMember& member : kThermacoilMembers) {
        if (member.Access == TAutomationAccess::Method) continue;
        const auto known = std::find_if(properties.begin(), properties.end(),
                                        [&member](const TThermacoilProperty& p) { return p.Name == member.Name; });
        if (known == properties.end())
            properties.push_back({member.Name, member.DispId, member.Type, member.Access == TAutomationAccess::Put});
        else if (member.Access == TAutomationAccess::Put)
            known->Writable = true;
    }
    return properties;
}

}  // namespace

const std::vector<TThermacoilProperty>& ThermacoilProperties()
{
    static const std::vector<TThermacoilProperty> properties = BuildProperties();
    return properties;
}

const TThermacoilProperty* FindThermacoilProperty(std::string_view name)
{
    for (const TThermacoilProperty& property : ThermacoilProperties())
        if (property.Name == name) return &property;
    return nullptr;
}

std::string_view DBusTypeCode(TAutomationType type)
{
    switch (type) {
    case TAutomationType::String:
        return "s";
    case TAutomationType::Double:
        return "d";
    case TAutomationType::Int32:
        return "i";
    case TAutomationType::Boolean:
        return "b";
    case TAutomationType::StringList:
        return "as";
    }
    return "v";
}

std::string ThermacoilInterfaces(bool root) { return (root ? FactoryInterface() : std::string()) + ThermacoilInterface(); }

std::string ThermacoilIntrospection(bool root, const std::vector<int>& children)
{
    std::string xml = std::string(kDocType) + "<node>\n" + std::string(kStandardInterfaces) + ThermacoilInterfaces(root);
    for (const int child : children) xml += "  <node name=\"" + std::to_string(child) + "\"/>\n";
    return xml + "</node>\n";
}

}  // namespace vantor

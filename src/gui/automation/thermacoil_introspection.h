#pragma once

// The Thermacoil objects as the session bus describes them: names of the service's
// interfaces and errors, the members of "IThermacoil" as D-Bus properties and methods, and
// the introspection data of the objects. Each member carries its dispatch number as the
// annotation "com.korvane.Vantor.DispatchId".

#include "automation/thermacoil.h"
#include "automation/thermacoil_factory.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

inline constexpr std::string_view kFactoryInterface = "com.korvane.Vantor.ThermacoilFactory";
inline constexpr std::string_view kDispatchIdAnnotation = "com.korvane.Vantor.DispatchId";
// A put or solve the document refused; the message is the refusal's.
inline constexpr std::string_view kFailedError = "com.korvane.Vantor.Error.Failed";
// A change or solve asked for while a modal window is open.
inline constexpr std::string_view kBusyError = "com.korvane.Vantor.Error.Busy";

// One D-Bus property of "IThermacoil": a get member and, when it has one, its put.
struct TThermacoilProperty {
    std::string_view Name;
    int DispId;
    TAutomationType Type;
    bool Writable;
};

// The properties in interface order (the order of their first member).
const std::vector<TThermacoilProperty>& ThermacoilProperties();
// Nothing when no property has that exact name.
const TThermacoilProperty* FindThermacoilProperty(std::string_view name);

// The D-Bus type code of a member type: "s", "d", "i", "b" or "as".
std::string_view DBusTypeCode(TAutomationType type);

// The introspection document of /Thermacoil (root: the factory interface as well) or of one
// of its objects, with the standard interfaces and the child nodes given.
std::string ThermacoilIntrospection(bool root, const std::vector<int>& children);
// The <interface> elements alone, without the standard ones.
std::string ThermacoilInterfaces(bool root);

}  // namespace vantor

#pragma once

// The maker's details in the maker key, section "Korvane", read once at start-up. Of the
// contact values only "web" is used (the INI editor's web-site command); "user" switches
// maintainer mode on.

#include "settings/settings_store.h"

#include <string>
#include <string_view>

namespace vantor {

struct TMakerInfo {
    std::string User;
    std::string Company;
    std::string Description;
    std::string Logo;
    std::string Addr1;
    std::string Addr2;
    std::string Code;
    std::string Country;
    std::string Email;
    std::string Web;
    std::string Tel;
    std::string Fax;
};

// Every value defaults to empty.
TMakerInfo ReadMakerInfo(const TSettingsStore& makerKey);

// The build's maintainer name (CMake cache variable VANTOR_MAINTAINER_NAME).
std::string_view MaintainerName();

// True when the user name equals the maintainer name without regard to case. An empty user
// name never does, whatever the build chose.
bool IsMaintainerMode(std::string_view user);

}  // namespace vantor

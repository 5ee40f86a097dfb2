#include "settings/maker_info.h"

#include "text/text_routines.h"

namespace vantor {

namespace {

constexpr std::string_view kMakerSection = "Korvane";

}  // namespace

TMakerInfo ReadMakerInfo(const TSettingsStore& makerKey)
{
    const auto read = [&](std::string_view name) { return makerKey.ReadString(kMakerSection, name, ""); };
    TMakerInfo info;
    info.User = read("user");
    info.Company = read("company");
    info.Description = read("description");
    info.Logo = read("logo");
    info.Addr1 = read("addr1");
    info.Addr2 = read("addr2");
    info.Code = read("code");
    info.Country = read("country");
    info.Email = read("email");
    info.Web = read("web");
    info.Tel = read("tel");
    info.Fax = read("fax");
    return info;
}

std::string_view MaintainerName()
{
    return VANTOR_MAINTAINER_NAME;
}

bool IsMaintainerMode(std::string_view user)
{
    return !user.empty() && SameText(user, MaintainerName());
}

}  // namespace vantor

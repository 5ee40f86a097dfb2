#pragma once

// A file's properties given in one call, in the order the Properties window lists them.

#include "reports/file_properties.h"

#include <chrono>
#include <string>
#include <utility>

namespace vantor::test {

inline TFileProperties FilePropertiesOf(std::string name, std::string number, std::string description,
                                        std::string author, std::string company, std::chrono::year_month_day date)
{
    TFileProperties properties;
    properties.ProjectName = std::move(name);
    properties.ProjectNumber = std::move(number);
    properties.Description = std::move(description);
    properties.Author = std::move(author);
    properties.Company = std::move(company);
    properties.Date = date;
    return properties;
}

}  // namespace vantor::test

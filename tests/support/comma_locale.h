#pragma once

// Switches the whole process to a comma-decimal locale for the life of the object, so a test
// can prove that number text does not follow LC_NUMERIC. The test asserts IsActive() first,
// so that it cannot pass silently in the "C" locale.

#include <clocale>
#include <cstring>
#include <string>

namespace vantor::test {

class TCommaLocale {
public:
    TCommaLocale()
    {
        const char* current = std::setlocale(LC_ALL, nullptr);
        m_saved = current ? current : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
            if (std::setlocale(LC_ALL, name)) break;
    }
    ~TCommaLocale() { std::setlocale(LC_ALL, m_saved.c_str()); }
    TCommaLocale(const TCommaLocale&) = delete;
    TCommaLocale& operator=(const TCommaLocale&) = delete;

    static bool IsActive() { return std::strcmp(std::localeconv()->decimal_point, ",") == 0; }

private:
    std::string m_saved;
};

}  // namespace vantor::test

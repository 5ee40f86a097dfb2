#pragma once

// The core keeps texts as UTF-8 std::string; Qt as QString. Every crossing goes through here.

#include <QString>

#include <string>
#include <string_view>

namespace vantor {

inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) { return text.toStdString(); }

}  // namespace vantor

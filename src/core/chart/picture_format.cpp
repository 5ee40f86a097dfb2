#include "chart/picture_format.h"

#include <array>
#include <cctype>

namespace vantor {

namespace {

constexpr std::array<TPictureFormat, 3> kFormats{TPictureFormat::pfPng, TPictureFormat::pfPdf, TPictureFormat::pfSvg};

bool EndsWithNoCase(std::string_view text, std::string_view tail)
{
    if (text.size() < tail.size()) return false;
    const std::string_view end = text.substr(text.size() - tail.size());
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(end[i])) != tail[i]) return false;
    return true;
}

}  // namespace

std::optional<TPictureFormat> PictureFormatOf(std::string_view fileName)
{
    const size_t slash = fileName.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    for (const TPictureFormat format : kFormats) {
        const std::string_view extension = PictureExtension(format);
        // ".png" alone is a hidden file's name, not a picture without a name.
        if (name.size() > extension.size() && EndsWithNoCase(name, extension)) return format;
    }
    return std::nullopt;
}

std::string_view PictureExtension(TPictureFormat format)
{
    switch (format) {
    case TPictureFormat::pfPng:
        return ".png";
    case TPictureFormat::pfPdf:
        return ".pdf";
    case TPictureFormat::pfSvg:
        return ".svg";
    }
    return ".png";
}

}  // namespace vantor

#pragma once

// The picture files a chart is saved to, told apart by the name's extension.

#include <optional>
#include <string_view>

namespace vantor {

enum class TPictureFormat { pfPng, pfPdf, pfSvg };

// By the extension of the file name, in any case: ".png", ".pdf" or ".svg"; nothing for
// another extension or none. Only the last path component counts ("a.b/chart" has none).
std::optional<TPictureFormat> PictureFormatOf(std::string_view fileName);

// ".png", ".pdf" or ".svg".
std::string_view PictureExtension(TPictureFormat format);

}  // namespace vantor

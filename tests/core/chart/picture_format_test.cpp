#include "chart/picture_format.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(PictureFormat, ComesFromTheLastNamesExtensionInAnyCase)
{
    const struct {
        const char* Name;
        std::optional<TPictureFormat> Format;
    } cases[] = {
        {"chart.png", TPictureFormat::pfPng},
        {"/tmp/Chart.PDF", TPictureFormat::pfPdf},
        {"a/b.c/chart.Svg", TPictureFormat::pfSvg},
        {"chart.pdf.png", TPictureFormat::pfPng},
        {"chart", std::nullopt},
        {"reports.pdf/chart", std::nullopt},  // a folder's dot is not the file's extension
        {"reports.pdf\\chart", std::nullopt},
        {"chart.gif", std::nullopt},
        {"chart.png.bak", std::nullopt},
        {".png", std::nullopt},  // a hidden file named "png"
        {"dir/.pdf", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(PictureFormatOf(c.Name), c.Format) << c.Name;
    EXPECT_EQ(PictureExtension(TPictureFormat::pfPdf), ".pdf");
}

}  // namespace
}  // namespace vantor

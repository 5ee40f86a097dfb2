#include "reports/html_sink.h"

namespace vantor {

namespace {

constexpr std::string_view kPreStyle = "font-family: sans-serif; font-size: 8pt; tab-size: 12em; -moz-tab-size: 12em";

}  // namespace

std::string EscapeHtml(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        // A line break inside a text would split the line; the report has one line per call.
        case '\r':
        case '\n': escaped += ' '; break;
        default: escaped += c;
        }
    }
    return escaped;
}

void THtmlSink::AppendLine(std::string_view text, bool bold)
{
    if (bold && !text.empty())
        m_lines += "<b>" + EscapeHtml(text) + "</b>";
    else
        m_lines += EscapeHtml(text);
    m_lines += '\n';
}

std::string THtmlSink::Fragment() const
{
    return "<pre style=\"" + std::string(kPreStyle) + "\">\n" + m_lines + "</pre>\n";
}

std::string THtmlSink::Html() const
{
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n</head>\n<body>\n" + Fragment()
        + "</body>\n</html>\n";
}

}  // namespace vantor

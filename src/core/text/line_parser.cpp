#include "text/line_parser.h"

#include "text/number_text.h"

#include <algorithm>

namespace vantor {

namespace {

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsTextChar(unsigned char c) { return c >= 32; }
bool IsSpecifierLetter(unsigned char c)
{
    switch (c) {
    case 'D': case 'E': case 'F': case 'G': case 'M': case 'N': case 'P': case 'S': case 'U': case 'X':
    case 'd': case 'e': case 'f': case 'g': case 'm': case 'n': case 'p': case 's': case 'u': case 'x':
        return true;
    default:
        return false;
    }
}

}  // namespace

TLineParser::TLineParser()
{
    SetDelimiters(",");
}

void TLineParser::SetDelimiters(std::string_view delimiters)
{
    m_delimiters.reset();
    for (char c : delimiters) m_delimiters.set(static_cast<unsigned char>(c));
}

void TLineParser::SetText(std::string_view text)
{
    m_text = std::string(text);
    m_pos = 0;
    m_len = static_cast<int>(m_text.size());
    m_status = StatusOk;
    m_ch = m_len > 0 ? static_cast<unsigned char>(m_text[0]) : 0;
}

void TLineParser::Advance()
{
    if (m_pos < m_len) {
        ++m_pos;
        m_ch = m_pos < m_len ? static_cast<unsigned char>(m_text[static_cast<size_t>(m_pos)]) : 0;
    } else {
        m_status = StatusEnd;
        m_ch = 0;
    }
}

void TLineParser::Append(std::string& token)
{
    token.push_back(static_cast<char>(m_ch));
    Advance();
}

void TLineParser::AppendDigits(std::string& token)
{
    while (InText() && IsDigit(m_ch)) Append(token);
}

std::string TLineParser::NextToken()
{
    std::string token;
    if (m_ch == ';')
        while (InText() && m_ch != '\n') Advance();
    while (InText() && (IsDelimiter(m_ch) || m_ch < 32 || m_ch == ' ' || m_ch == 255)) Advance();

    bool mayContinue = false;
    if (IsLetter(m_ch)) {
        while (InText() && (IsLetter(m_ch) || IsDigit(m_ch))) Append(token);
        mayContinue = true;
    } else if (IsDigit(m_ch) || m_ch == '+' || m_ch == '-') {
        Append(token);
        AppendDigits(token);
        if (InText() && m_ch == '.') {
            Append(token);
            AppendDigits(token);
        }
        if (InText() && (m_ch == 'E' || m_ch == 'e')) {
            Append(token);
            if (InText() && (m_ch == '+' || m_ch == '-')) Append(token);
            AppendDigits(token);
        }
        mayContinue = true;
    } else if (m_ch == '%') {
        Append(token);
        if (InText() && IsDigit(m_ch)) {
            AppendDigits(token);
            if (InText() && m_ch == ':') Append(token);
        }
        if (InText() && m_ch == '-') Append(token);
        AppendDigits(token);
        if (InText() && m_ch == '.') {
            Append(token);
            AppendDigits(token);
        }
        if (InText() && IsSpecifierLetter(m_ch)) {
            Append(token);
        } else {
            m_status = StatusBadSpecifier;
        }
        return token;
    } else if (IsTextChar(m_ch)) {
        if (m_ch == '\'' || m_ch == '"') Advance();
        while (InText() && m_pos < m_len && m_ch != '\'' && m_ch != '"') Append(token);
        if (InText() && (m_ch == '\'' || m_ch == '"')) Advance();
    } else {
        while (InText() && !IsDelimiter(m_ch)) Advance();
    }

    if (mayContinue)
        while (InText() && IsTextChar(m_ch) && !IsDelimiter(m_ch)) Append(token);
    return token;
}

double TLineParser::NextFloat()
{
    const std::string token = NextToken();
    if (auto value = ParseDouble(token)) return *value;
    m_status = StatusBadNumber;
    return 0;
}

TLineParser::TStatus TLineParser::TakeStatus()
{
    const TStatus status = m_status;
    m_status = StatusOk;
    return status;
}

void TLineParser::SplitInto(std::string_view text, int count, std::vector<std::string>& items)
{
    SetText(text);
    // A token that cannot be read counts as "0".
    static const std::string kMissing = "0";
    items.clear();
    for (int i = 0; i < count; ++i) {
        std::string token = NextToken();
        items.push_back(TakeStatus() == StatusOk ? std::move(token) : kMissing);
    }
}

}  // namespace vantor

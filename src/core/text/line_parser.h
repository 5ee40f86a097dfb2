#pragma once

// A tokenizer for one line of catalogue, designation, location or format text. Tokens are
// words ("abc", "4r"), numbers ("12.5", "-3E2"), format specifiers ("%0.2f") and quoted or
// free text; a ';' starts a comment to the end of the line. It never throws: Status says
// what went wrong.

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TLineParser {
public:
    enum class TStatus : int { StatusOk = 0, StatusEnd = 1, StatusBadSpecifier = 2, StatusBadNumber = 3 };
    using enum TStatus;

    TLineParser();

    void SetDelimiters(std::string_view delimiters);
    void SetText(std::string_view text);

    std::string NextToken();
    double NextFloat();
    TStatus TakeStatus();

    // Items gets `count` tokens of the text; a token that cannot be read becomes "0".
    void SplitInto(std::string_view text, int count, std::vector<std::string>& items);

    int Pos() const { return m_pos; }
    int Len() const { return m_len; }
    TStatus Status() const { return m_status; }
    char Ch() const { return static_cast<char>(m_ch); }

private:
    void Advance();
    void Append(std::string& token);
    bool IsDelimiter(unsigned char c) const { return m_delimiters.test(c); }
    bool InText() const { return m_status == StatusOk; }
    void AppendDigits(std::string& token);

    std::string m_text;
    int m_pos = 0;
    int m_len = 0;
    std::bitset<256> m_delimiters;
    TStatus m_status = StatusOk;
    unsigned char m_ch = 0;
};

}  // namespace vantor

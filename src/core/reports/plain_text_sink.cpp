#include "reports/plain_text_sink.h"

#include <ostream>

namespace vantor {

void TPlainTextSink::AppendLine(std::string_view text, bool)
{
    m_out << text << '\n';
}

}  // namespace vantor

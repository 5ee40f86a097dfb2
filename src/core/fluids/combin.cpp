#include "fluids/combin.h"

namespace vantor {

void TCombin::Select(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= Letters.size()) return;
    const char letter = Letters[static_cast<size_t>(index)];
    if (const auto at = History.find(letter); at != std::string::npos) History.erase(at, 1);
    History.insert(History.begin(), letter);

    for (size_t i = 0; i + 1 < History.size(); ++i) {
        for (size_t j = i + 1; j < History.size(); ++j) {
            Chosen = {History[i], History[j]};
            if (Evaluate()) return;
        }
    }
}

}  // namespace vantor

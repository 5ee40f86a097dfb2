#include "geometry/materials.h"

#include "text/text_routines.h"

namespace vantor {

int MaterialIndex(std::string_view code, int defaultIndex)
{
    for (size_t i = 0; i < Materials.size(); ++i)
        if (SameText(Materials[i].Code, code)) return static_cast<int>(i);
    return defaultIndex;
}

const TMaterial& MaterialAt(int index, int defaultIndex)
{
    return Materials[static_cast<size_t>(IsMaterialIndex(index) ? index : defaultIndex)];
}

}  // namespace vantor

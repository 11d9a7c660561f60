#include "listdialogscore.h"

int bestMatch(const std::vector<std::string>& items, const std::string& text)
{
    int best = -1;
    size_t bestAt = std::string::npos;
    for (size_t i = 0; i < items.size(); ++i) {
        size_t at = items[i].find(text);
        if (at != std::string::npos && (best < 0 || at < bestAt)) {
            best = static_cast<int>(i);
            bestAt = at;
        }
    }
    return best;
}

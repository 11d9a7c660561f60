// The dialogs' layout arithmetic on any rectangles and sizes, and the combo's match step.
#include <cstdlib>
#include <string>
#include <vector>

#include "anchorlayout.h"
#include "chain.h"
#include "matching.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBytes in(data, size);
    auto coord = [&] { return static_cast<long>(static_cast<int16_t>(in.word())); };
    AnchorRect r = {coord(), coord(), coord(), coord()};
    long width = coord(), height = coord();
    Anchor a = makeAnchor(1, in.byte() % 5, in.byte() % 5, r, false, width, height);
    long newWidth = coord(), newHeight = coord();
    movedRect(a, newWidth - width, newHeight - height, newWidth, newHeight);
    SizeLimits limits = {coord(), coord(), coord(), coord(), coord(), coord()};
    applySizeLimits(limits, in.byte() & 1, width, height, in.byte() & 1, in.byte() & 1);

    std::vector<std::string> items;
    for (int n = in.byte() % 8; n > 0; --n) {
        char* s = in.string(20);
        items.push_back(s);
        std::free(s);
    }
    char* typed = in.string(10);
    int best = bestMatch(items, typed);
    if (best >= static_cast<int>(items.size()) || (best < 0 && items.size() && !*typed))
        std::abort();
    std::free(typed);
    return 0;
}

// The dialogs' layout arithmetic on any rectangles and sizes, the combo's match step, and
// the progress bar's and the splash window's arithmetic on any positions and ranges.
#include <cstdlib>
#include <string>
#include <vector>

#include "chain.h"
#include "labelledprogresscore.h"
#include "listdialogscore.h"
#include "sizingdialogcore.h"
#include "splashcore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBytes in(data, size);
    auto coord = [&] { return static_cast<long>(static_cast<int16_t>(in.word())); };
    PixelRect r = {coord(), coord(), coord(), coord()};
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

    auto number = [&] { return static_cast<int>(static_cast<uint32_t>(in.word() | (in.word() << 16))); };
    int pos = number(), lower = number(), upper = number();
    PixelRect client = {0, 0, std::labs(coord()), std::labs(coord())};
    BarParts parts = splitBar(client, pos, lower, upper, in.byte() & 1);
    for (const PixelRect& part : {parts.bar, parts.rest})
        if (part.left < client.left || part.right > client.right || part.top < client.top ||
            part.bottom > client.bottom || part.left > part.right || part.top > part.bottom)
            std::abort();
    filledWidth(pos, lower, upper, coord());
    if (barLabel("", pos, lower, upper).size() > 12)
        std::abort();
    offsetPosition(pos, number());
    splashOrigin(coord(), coord(), coord(), coord());
    defaultPaletteEntry(in.byte());
    splashMillis(number());
    return 0;
}

#include "labelledprogresscore.h"

#include <climits>
#include <cstdio>

long barShare(int pos, int lower, int upper, long scale)
{
    if (upper <= lower)
        return 0;
    // No window is 2^30 pixels wide: so held, the product stays within 64 bits.
    const long long most = 1LL << 30;
    long long held = scale > most ? most : scale < -most ? -most : scale;
    long long share = (static_cast<long long>(pos) - lower) * held / (static_cast<long long>(upper) - lower);
    return share > INT_MAX ? INT_MAX : share < INT_MIN ? INT_MIN : static_cast<long>(share);
}

long filledWidth(int pos, int lower, int upper, long width)
{
    return barShare(pos, lower, upper, width);
}

namespace {

long within(long value, long low, long high)
{
    return value < low ? low : value > high ? high : value;
}

}  // namespace

BarParts splitBar(const PixelRect& client, int pos, int lower, int upper, bool vertical)
{
    BarParts parts = {client, client};
    if (vertical) {
        long line = within(client.bottom - barShare(pos, lower, upper, client.bottom - client.top), client.top,
                           client.bottom);
        parts.bar.top = line;
        parts.rest.bottom = line;
    } else {
        long line = within(client.left + filledWidth(pos, lower, upper, client.right - client.left), client.left,
                           client.right);
        parts.bar.right = line;
        parts.rest.left = line;
    }
    return parts;
}

std::string barLabel(const std::string& label, int pos, int lower, int upper)
{
    if (!label.empty())
        return label;
    char text[16];
    std::snprintf(text, sizeof text, "%ld%%", barShare(pos, lower, upper, 100));
    return text;
}

int offsetPosition(int pos, long long delta)
{
    long long moved = static_cast<long long>(pos) + delta;
    return moved > INT_MAX ? INT_MAX : moved < INT_MIN ? INT_MIN : static_cast<int>(moved);
}

#include "progressmath.h"

#include <climits>
#include <cmath>
#include <cstdio>

double barFraction(int pos, int lower, int upper)
{
    if (upper <= lower)
        return 0.0;
    return (static_cast<double>(pos) - lower) / (static_cast<double>(upper) - lower);
}

long wholePart(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return 2147483647L;
    if (value <= -2147483648.0)
        return -2147483647L - 1;
    return static_cast<long>(value);  // truncates toward zero
}

long filledWidth(int pos, int lower, int upper, long width)
{
    return wholePart(barFraction(pos, lower, upper) * width);
}

namespace {

long within(long value, long low, long high)
{
    return value < low ? low : value > high ? high : value;
}

}  // namespace

BarParts splitBar(const BarRect& client, double fraction, bool vertical)
{
    BarParts parts = {client, client};
    if (vertical) {
        long line = within(client.bottom - wholePart(fraction * (client.bottom - client.top)), client.top,
                           client.bottom);
        parts.bar.top = line;
        parts.rest.bottom = line;
    } else {
        long line = within(client.left + wholePart((client.right - client.left) * fraction), client.left,
                           client.right);
        parts.bar.right = line;
        parts.rest.left = line;
    }
    return parts;
}

std::string barLabel(const std::string& label, double fraction)
{
    if (!label.empty())
        return label;
    char text[16];
    std::snprintf(text, sizeof text, "%ld%%", wholePart(fraction * 100));
    return text;
}

int offsetPosition(int pos, long long delta)
{
    long long moved = static_cast<long long>(pos) + delta;
    return moved > INT_MAX ? INT_MAX : moved < INT_MIN ? INT_MIN : static_cast<int>(moved);
}

SplashOrigin splashOrigin(long desktopRight, long desktopBottom, long width, long height)
{
    return {desktopRight / 2 - width / 2, desktopBottom / 2 - height / 2};
}

PaletteColour defaultPaletteEntry(int i)
{
    return {static_cast<unsigned char>(32 * (i % 8)), static_cast<unsigned char>(32 * ((i / 8) % 8)),
            static_cast<unsigned char>(64 * (i / 64))};
}

unsigned splashMillis(int seconds)
{
    long long millis = static_cast<long long>(seconds) * 1000;
    return millis > 0x7FFFFFFF ? 0x7FFFFFFFu : millis < 0 ? 0u : static_cast<unsigned>(millis);
}

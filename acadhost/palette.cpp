#include "palette.h"

namespace {

uint32_t pack(int r, int g, int b)
{
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16;
}

const uint32_t kBasic[10] = {
    0,
    pack(255, 0, 0),   pack(255, 255, 0), pack(0, 255, 0),   pack(0, 255, 255), pack(0, 0, 255),
    pack(255, 0, 255), pack(255, 255, 255), pack(128, 128, 128), pack(192, 192, 192),
};

// Brightness of the five shade levels; odd shades are the half-saturated twins.
const int kLevel[5] = {255, 165, 127, 76, 38};

uint32_t hueShade(int hue, int shade)
{
    int top = kLevel[shade / 2];
    int low = (shade % 2) ? top / 2 : 0;
    // 24 hues, 15 degrees apart: four steps per sixth of the colour circle.
    int sixth = hue / 4, step = hue % 4;
    int rise = low + (top - low) * step / 4;
    int fall = top - (top - low) * step / 4;
    switch (sixth) {
    case 0: return pack(top, rise, low);
    case 1: return pack(fall, top, low);
    case 2: return pack(low, top, rise);
    case 3: return pack(low, fall, top);
    case 4: return pack(rise, low, top);
    default: return pack(top, low, fall);
    }
}

}  // namespace

uint32_t paletteColor(int index)
{
    if (index < 1 || index > 255)
        return 0;
    if (index < 10)
        return kBasic[index];
    if (index < 250)
        return hueShade((index - 10) / 10, (index - 10) % 10);
    int grey = 51 + (index - 250) * 204 / 5;  // 51 ... 255
    return pack(grey, grey, grey);
}

// kel_acitorgb, kel_rgbtoaci: colour indices and RGB colours, by the host's palette, which is
// asked at every use.
#include <climits>

#include "adslib.h"
#include "args.h"
#include "colors.h"
#include "handlers.h"
#include "messages.h"
#include "results.h"

namespace {

int red(unsigned long c) { return static_cast<int>(c & 0xFF); }
int green(unsigned long c) { return static_cast<int>((c >> 8) & 0xFF); }
int blue(unsigned long c) { return static_cast<int>((c >> 16) & 0xFF); }
int distance(int a, int b) { return a > b ? a - b : b - a; }

}  // namespace

// The index 1 to 254 whose colour is nearest by city-block distance; ties to the lowest.
int nearestColorIndex(int r, int g, int b)
{
    int best = INT_MAX, bestIndex = 0;
    for (int index = 1; index <= 254; ++index) {
        unsigned long c = acedGetRGB(index);
        int d = distance(red(c), r) + distance(green(c), g) + distance(blue(c), b);
        if (d < best) {
            best = d;
            bestIndex = index;
        }
    }
    return bestIndex;
}

bool getRgbArg(const struct resbuf* rb, int& r, int& g, int& b)
{
    if (!rb)
        return report(MSG_TOO_FEW);
    if (rb->restype != RT3DPOINT)
        return report(MSG_INVALID_ARGUMENT);
    static const char* const messages[3] = {MSG_INVALID_RED, MSG_INVALID_GREEN, MSG_INVALID_BLUE};
    int* out[3] = {&r, &g, &b};
    for (int k = 0; k < 3; ++k) {
        double v = rb->resval.rpoint[k];
        if (!(v >= 0.0 && v <= 255.0))
            return report(messages[k]);
        *out[k] = static_cast<int>(v);
    }
    return true;
}

int kelAcitorgb(struct resbuf* args)
{
    int index;
    if (!getIntArg(args, index) || !noMoreArgs(args->rbnext))
        return RTNORM;
    if (index < 1 || index > 255)
        return giveNil();
    unsigned long c = acedGetRGB(index);
    resbuf* list = acutBuildList(RTSHORT, red(c), RTSHORT, green(c), RTSHORT, blue(c), 0);
    if (!list)
        return fail(MSG_NO_RESULT_BUFFER);
    returnAndRelease(list);
    return RTNORM;
}

int kelRgbtoaci(struct resbuf* args)
{
    int r = 0, g = 0, b = 0;
    if (!getRgbArg(args, r, g, b) || !noMoreArgs(args->rbnext))
        return RTNORM;
    acedRetInt(nearestColorIndex(r, g, b));
    return RTNORM;
}

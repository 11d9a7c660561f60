// The drawing preview reader on any bytes: what it finds lies within them, and a picture it
// decodes has as many pixels as it says.
#include <cstdint>
#include <cstdlib>

#include "previewcore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PreviewEntry entry = findPreview(data, size);
    if (entry.format == PreviewFormat::None)
        return 0;
    if (entry.offset > size || entry.size > size - entry.offset)
        std::abort();
    PreviewImage image;
    if (decodeBitmap(data + entry.offset, entry.size, image)) {
        if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
            std::abort();
        PreviewPlace place = fitPreview(image.width, image.height, 173, 92);
        if (place.left < 0 || place.top < 0 || place.left + place.width > 173 || place.top + place.height > 92)
            std::abort();
    }
    return 0;
}

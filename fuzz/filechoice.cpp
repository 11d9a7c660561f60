// The file-open dialog's buffer read as a choice: never past its end, and a list of the
// shape the function returns whatever the bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "filepickerscore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char* buffer = static_cast<char*>(std::malloc(size ? size : 1));  // exactly the bytes: a read past them is caught
    std::memcpy(buffer, data, size);
    std::vector<std::string> list = fileChoice(buffer, size);
    if (list.empty() != (size == 0 || buffer[0] == '\0'))
        std::abort();
    if (!list.empty() && list.size() < 2)
        std::abort();
    if (list.size() > 2 && list[0].back() != '\\')
        std::abort();
    size_t total = 0;
    for (const std::string& s : list)
        total += s.size();
    if (total > size + 1)  // the folder's added backslash at most
        std::abort();
    std::free(buffer);
    return 0;
}

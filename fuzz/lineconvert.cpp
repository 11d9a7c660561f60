// The line-end conversion of any bytes against the byte-by-byte rule, both ways; and DOS text
// made from UNIX text turns back into it.
#include <cstdlib>
#include <string>
#include <vector>

#include "lineendscore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string in(reinterpret_cast<const char*>(data), size), asUnix, asDos;
    for (char c : in) {
        if (c != 13 && c != 26)
            asUnix += c;
        if (c == 10)
            asDos += '\r';
        asDos += c;
    }
    std::vector<char> out(2 * size + 16);
    if (std::string(out.data(), toUnixText(in.data(), size, out.data())) != asUnix)
        std::abort();
    if (std::string(out.data(), toDosText(in.data(), size, out.data())) != asDos)
        std::abort();
    std::vector<char> back(2 * asUnix.size() + 16);
    size_t n = toDosText(asUnix.data(), asUnix.size(), back.data());
    if (std::string(out.data(), toUnixText(back.data(), n, out.data())) != asUnix)
        std::abort();
    return 0;
}

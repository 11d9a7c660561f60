#include "args.h"

#include <cctype>
#include <cstring>

#include "adslib.h"
#include "messages.h"
#include "paths.h"

bool report(const char* message)
{
    acutPrintf(message);
    acedRetNil();
    return false;
}

bool stopWithNil()
{
    acedRetNil();
    return false;
}

namespace {

bool present(const struct resbuf* rb, int type, const char* wrongType)
{
    if (!rb)
        return report(MSG_TOO_FEW);
    if (rb->restype != type)
        return report(wrongType);
    return true;
}

bool copyString(const struct resbuf* rb, char* buffer, size_t size)
{
    const char* s = rb->resval.rstring ? rb->resval.rstring : "";
    size_t n = std::strlen(s);
    if (n >= size)
        return report(MSG_INVALID_STRING_LENGTH);
    std::memcpy(buffer, s, n + 1);
    return true;
}

}  // namespace

bool Args::integer(int& value)
{
    if (!present(rb_, RTSHORT, MSG_INT_EXPECTED))
        return false;
    value = rb_->resval.rint;
    skip();
    return true;
}

bool Args::real(double& value)
{
    if (!present(rb_, RTREAL, MSG_REAL_EXPECTED))
        return false;
    value = rb_->resval.rreal;
    skip();
    return true;
}

bool Args::string(char* buffer, size_t size)
{
    if (!present(rb_, RTSTR, MSG_STRING_EXPECTED) || !copyString(rb_, buffer, size))
        return false;
    skip();
    return true;
}

bool Args::path(char* buffer, size_t size)
{
    if (!present(rb_, RTSTR, MSG_PATH_EXPECTED) || !copyString(rb_, buffer, size))
        return false;
    toBackslashes(buffer);
    skip();
    return true;
}

bool Args::drive(char& letter)
{
    if (!present(rb_, RTSTR, MSG_CHAR_EXPECTED))
        return false;
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text()[0])));
    skip();
    return true;
}

bool Args::stringOrNil(char* buffer, size_t size, bool& present, const char* wrongType)
{
    if (!rb_)
        return report(MSG_TOO_FEW);
    present = rb_->restype == RTSTR;
    if (present) {
        if (!copyString(rb_, buffer, size))
            return false;
    } else if (rb_->restype == RTNIL) {
        buffer[0] = '\0';
    } else {
        return report(wrongType);
    }
    skip();
    return true;
}

bool Args::listBegin()
{
    if (!present(rb_, RTLB, MSG_LIST_BEGIN_EXPECTED))
        return false;
    skip();
    return true;
}

bool Args::rgb(int& r, int& g, int& b)
{
    if (!present(rb_, RT3DPOINT, MSG_INVALID_ARGUMENT))
        return false;
    static const char* const messages[3] = {MSG_INVALID_RED, MSG_INVALID_GREEN, MSG_INVALID_BLUE};
    int* out[3] = {&r, &g, &b};
    for (int k = 0; k < 3; ++k) {
        double v = rb_->resval.rpoint[k];
        if (!(v >= 0.0 && v <= 255.0))
            return report(messages[k]);
        *out[k] = static_cast<int>(v);
    }
    skip();
    return true;
}

bool Args::end() { return rb_ ? report(MSG_TOO_MANY) : true; }

const char* Args::text() const { return rb_->resval.rstring ? rb_->resval.rstring : ""; }

bool Args::pass(int type)
{
    if (!at(type))
        return false;
    skip();
    return true;
}


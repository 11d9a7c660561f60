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

int fail(const char* message)
{
    report(message);
    return RTNORM;
}

int failCall(const char* message)
{
    acutPrintf(message);
    return RTERROR;
}

int failNoResult(const char* message)
{
    acutPrintf(message);
    return RTNORM;
}

int giveNil()
{
    acedRetNil();
    return RTNORM;
}

int giveT()
{
    acedRetT();
    return RTNORM;
}

int giveBool(bool value) { return value ? giveT() : giveNil(); }

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

bool getIntArg(const struct resbuf* rb, int& value)
{
    if (!present(rb, RTSHORT, MSG_INT_EXPECTED))
        return false;
    value = rb->resval.rint;
    return true;
}

bool getRealArg(const struct resbuf* rb, double& value)
{
    if (!present(rb, RTREAL, MSG_REAL_EXPECTED))
        return false;
    value = rb->resval.rreal;
    return true;
}

bool getStringArg(const struct resbuf* rb, char* buffer, size_t size)
{
    return present(rb, RTSTR, MSG_STRING_EXPECTED) && copyString(rb, buffer, size);
}

bool getPathArg(const struct resbuf* rb, char* buffer, size_t size)
{
    if (!present(rb, RTSTR, MSG_PATH_EXPECTED) || !copyString(rb, buffer, size))
        return false;
    toBackslashes(buffer);
    return true;
}

bool getCharArg(const struct resbuf* rb, char& letter)
{
    if (!present(rb, RTSTR, MSG_CHAR_EXPECTED))
        return false;
    const char* s = rb->resval.rstring ? rb->resval.rstring : "";
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
    return true;
}

bool getStringOrNilArg(const struct resbuf* rb, char* buffer, size_t size, bool& present, const char* wrongType)
{
    if (!rb)
        return report(MSG_TOO_FEW);
    present = rb->restype == RTSTR;
    if (present)
        return copyString(rb, buffer, size);
    if (rb->restype != RTNIL)
        return report(wrongType);
    buffer[0] = '\0';
    return true;
}

bool getListBegin(const struct resbuf* rb) { return present(rb, RTLB, MSG_LIST_BEGIN_EXPECTED); }

bool noMoreArgs(const struct resbuf* rb) { return rb ? report(MSG_TOO_MANY) : true; }

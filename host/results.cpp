#include "results.h"

#include <cstring>
#include <new>
#include <vector>

#include "adslib.h"
#include "args.h"
#include "messages.h"

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

int stopped() { return RTNORM; }

int giveNothing() { return RTNORM; }

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

int giveString(const char* text)
{
    acedRetStr(text);
    return RTNORM;
}

int giveInt(int value)
{
    acedRetInt(value);
    return RTNORM;
}

int giveReal(double value)
{
    acedRetReal(value);
    return RTNORM;
}

int giveListKept(const struct resbuf* list)
{
    if (!list)
        return giveNil();
    acedRetList(list);
    return RTNORM;
}

// Kept from one list to the next: a fresh block this large costs more to map and zero than
// the list saves. The records hold nothing between calls.
struct resbuf* keptRecords(size_t n)
{
    static std::vector<resbuf> records;
    if (records.size() < n)
        records.resize(n);
    for (size_t k = 0; k + 1 < n; ++k)
        records[k].rbnext = &records[k + 1];
    records[n - 1].rbnext = nullptr;
    return records.data();
}

int giveList(struct resbuf* list)
{
    int status = giveListKept(list);
    if (list)
        acutRelRb(list);
    return status;
}

OwnedChain::~OwnedChain()
{
    if (head_)
        acutRelRb(head_);
}

bool OwnedChain::link(struct resbuf* records)
{
    if (!records)
        return false;
    (tail_ ? tail_->rbnext : head_) = records;
    for (tail_ = records; tail_->rbnext;)
        tail_ = tail_->rbnext;
    return true;
}

bool OwnedChain::linkString(const char* text) { return link(acutBuildList(RTSTR, text, 0)); }

bool StringList::addProfileNames(const char* buffer, size_t returned, size_t size)
{
    // Windows returns size - 2 for a list it cut; Wine returns size - 1 for a list it reads
    // from the registry.
    bool cut = returned + 2 >= size;
    const char* end = buffer + size;
    for (const char* p = buffer; p < end && *p;) {
        const char* next = p + std::strlen(p) + 1;
        if (cut && (next >= end || !*next))
            break;  // the last, cut short
        if (!add(p))
            return false;
        p = next;
    }
    return true;
}

int StringList::give()
{
    struct resbuf* list = head_;
    head_ = tail_ = nullptr;
    return giveList(list);
}

namespace {

// A name list's text, each name with its ending zero: kept from one list to the next, as the
// records are. It holds nothing between calls.
std::vector<char>& nameText()
{
    static std::vector<char> text;
    return text;
}

}  // namespace

NameList::NameList() { nameText().clear(); }

bool NameList::add(const char* text)
{
    try {
        nameText().insert(nameText().end(), text, text + std::strlen(text) + 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    ++count_;
    return true;
}

int NameList::give()
{
    if (!count_)
        return giveNil();
    resbuf* list;
    try {
        list = keptRecords(count_);
    } catch (const std::bad_alloc&) {
        return fail(MSG_NO_RESULT_BUFFER);
    }
    const char* name = nameText().data();
    for (resbuf* rb = list; rb; rb = rb->rbnext) {
        rb->restype = RTSTR;
        rb->resval.rstring = const_cast<char*>(name);
        name += std::strlen(name) + 1;
    }
    return giveListKept(list);
}

HeadedList::HeadedList() : OwnedChain(acutBuildList(RTSHORT, 1, 0)) {}

int HeadedList::give()
{
    struct resbuf* list = head_->rbnext;  // the head record goes when the list does
    head_->rbnext = nullptr;
    tail_ = head_;
    return giveList(list);
}

PairList::PairList() : OwnedChain(acutBuildList(RTLB, 0)) {}

bool PairList::linkPair(struct resbuf* pair)
{
    if (!link(pair))
        return false;
    empty_ = false;
    return true;
}

bool PairList::add(const char* name, short value)
{
    return linkPair(acutBuildList(RTLB, RTSTR, name, RTDOTE, RTSHORT, static_cast<int>(value), RTLE, 0));
}

bool PairList::add(const char* name, double value)
{
    return linkPair(acutBuildList(RTLB, RTSTR, name, RTDOTE, RTREAL, value, RTLE, 0));
}

bool PairList::add(const char* name, const char* value)
{
    return linkPair(acutBuildList(RTLB, RTSTR, name, RTDOTE, RTSTR, value, RTLE, 0));
}

int PairList::give()
{
    if (empty_)
        return giveNil();  // the list's opening goes when the list does
    if (!link(acutBuildList(RTLE, 0)))
        return fail(MSG_NO_RESULT_BUFFER);
    struct resbuf* list = head_;
    head_ = tail_ = nullptr;
    return giveList(list);
}

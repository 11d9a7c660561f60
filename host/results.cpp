#include "results.h"

#include "adslib.h"

namespace {

void append(struct resbuf*& head, struct resbuf*& tail, struct resbuf* item)
{
    (tail ? tail->rbnext : head) = item;
    tail = item;
    while (tail->rbnext)
        tail = tail->rbnext;
}

}  // namespace

void returnAndRelease(struct resbuf* list)
{
    if (list) {
        acedRetList(list);
        acutRelRb(list);
    } else {
        acedRetNil();
    }
}

StringList::~StringList()
{
    if (head_)
        acutRelRb(head_);
}

bool StringList::add(const char* text)
{
    struct resbuf* rb = acutBuildList(RTSTR, text, 0);
    if (!rb)
        return false;
    append(head_, tail_, rb);
    return true;
}

void StringList::returnList()
{
    returnAndRelease(head_);
    head_ = tail_ = nullptr;
}

HeadedList::HeadedList() : head_(acutBuildList(RTSHORT, 1, 0)), tail_(head_) {}

HeadedList::~HeadedList()
{
    if (head_)
        acutRelRb(head_);
}

bool HeadedList::add(const char* text)
{
    struct resbuf* rb = acutBuildList(RTSTR, text, 0);
    if (!rb)
        return false;
    append(head_, tail_, rb);
    return true;
}

void HeadedList::returnList()
{
    if (head_->rbnext)
        acedRetList(head_->rbnext);
    else
        acedRetNil();
    acutRelRb(head_);
    head_ = tail_ = nullptr;
}

PairList::PairList() : head_(acutBuildList(RTLB, 0)), tail_(head_) {}

PairList::~PairList()
{
    if (head_)
        acutRelRb(head_);
}

bool PairList::link(struct resbuf* item)
{
    if (!item)
        return false;
    append(head_, tail_, item);
    empty_ = false;
    return true;
}

bool PairList::add(const char* name, short value)
{
    return link(acutBuildList(RTLB, RTSTR, name, RTDOTE, RTSHORT, static_cast<int>(value), RTLE, 0));
}

bool PairList::add(const char* name, double value)
{
    return link(acutBuildList(RTLB, RTSTR, name, RTDOTE, RTREAL, value, RTLE, 0));
}

bool PairList::returnList()
{
    if (empty_) {
        acedRetNil();
    } else {
        struct resbuf* end = acutBuildList(RTLE, 0);
        if (!end)
            return false;
        append(head_, tail_, end);
        acedRetList(head_);
    }
    acutRelRb(head_);
    head_ = tail_ = nullptr;
    return true;
}

#include "results.h"

#include "adslib.h"

void returnAndRelease(struct resbuf* list)
{
    if (list) {
        acedRetList(list);
        acutRelRb(list);
    } else {
        acedRetNil();
    }
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

void StringList::returnList()
{
    returnAndRelease(head_);
    head_ = tail_ = nullptr;
}

HeadedList::HeadedList() : OwnedChain(acutBuildList(RTSHORT, 1, 0)) {}

void HeadedList::returnList()
{
    if (head_->rbnext)
        acedRetList(head_->rbnext);
    else
        acedRetNil();
    acutRelRb(head_);
    head_ = tail_ = nullptr;
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

bool PairList::returnList()
{
    if (empty_) {
        acedRetNil();
    } else {
        if (!link(acutBuildList(RTLE, 0)))
            return false;
        acedRetList(head_);
    }
    acutRelRb(head_);
    head_ = tail_ = nullptr;
    return true;
}

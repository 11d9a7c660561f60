#include "docreactor.h"

CDocReactor::CDocReactor()
{
    if (AcApDocManager* docs = acDocManagerPtr())
        docs->addReactor(this);
}

CDocReactor::~CDocReactor()
{
    if (AcApDocManager* docs = acDocManagerPtr())
        docs->removeReactor(this);
    values_.clear();
}

void CDocReactor::documentToBeDestroyed(AcApDocument* doc) { values_.erase(doc); }

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
}

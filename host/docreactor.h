// Keeps per-document values and forgets a document's when it is about to be destroyed.
#pragma once

#include <cstdint>
#include <map>

#include "acdocman.h"

class CDocReactor : public AcApDocManagerReactor {
public:
    CDocReactor();  // adds itself to the host's document manager
    ~CDocReactor() override;
    void documentToBeDestroyed(AcApDocument* doc) override;

private:
    std::multimap<AcApDocument*, int32_t> values_;
};

// The module's document reactor: added to the host's document manager while the module is
// loaded. Nothing of the module keeps per-document state, so it stores nothing.
#pragma once

#include "acdocman.h"

class CDocReactor : public AcApDocManagerReactor {
public:
    CDocReactor();   // adds itself to the host's document manager
    ~CDocReactor() override;  // and removes itself
};

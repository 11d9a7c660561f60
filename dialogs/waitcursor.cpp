#include "waitcursor.h"

// kel_waitcursor is not built yet, so no wait cursor can be running.
void endWaitCursor() {}

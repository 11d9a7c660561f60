#pragma once

// Ends a wait cursor left running by kel_waitcursor, restoring what it changed; does
// nothing when none runs.
void endWaitCursor();

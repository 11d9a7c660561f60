// The progress and cancel windows live between calls; the module closes any left open when
// it is unloaded, before their code goes, and gives the status bar back from its meter.
#pragma once

void closeProgressWindows();

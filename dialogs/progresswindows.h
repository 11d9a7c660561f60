// What outlives a call of the dialogs: the progress and cancel windows, which the module
// closes when it is unloaded, before their code goes, giving the status bar back from its
// meter; and the splash window's class.
#pragma once

void closeProgressWindows();
// The splash window's class goes with the module: a window made of it after the module is
// gone would call code no longer there.
void forgetSplashClass();

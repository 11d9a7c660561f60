#pragma once

// The platform family the system reports: 1 for Windows 95/98, 2 for the NT family, 0 when
// the version can't be read.
int platformFamily();

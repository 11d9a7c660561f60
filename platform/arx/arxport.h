// Import/export of the host operations: the host executable exports them, modules import
// them through the import library the build makes from it.
#pragma once

#if defined(_WIN32) && defined(ACADHOST_BUILD)
#define ACAD_PORT __declspec(dllexport)
#elif defined(_WIN32)
#define ACAD_PORT __declspec(dllimport)
#else
#define ACAD_PORT
#endif

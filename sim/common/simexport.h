#pragma once
// Visibility of what a software device module exports: its entry point and its control API.

#if defined(_WIN32)
#define SIM_EXPORT __declspec(dllexport)
#else
#define SIM_EXPORT __attribute__((visibility("default")))
#endif

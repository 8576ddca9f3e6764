// A module that loads like a lower layer's but lacks its entry point.
#if defined(_WIN32)
#define NOENTRY_EXPORT __declspec(dllexport)
#else
#define NOENTRY_EXPORT __attribute__((visibility("default")))
#endif

extern "C" NOENTRY_EXPORT int tkl_noentry_marker() { return 1; }

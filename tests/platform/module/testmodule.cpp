// A loadable module with one export, for the library-loading tests.
#if defined(_WIN32)
#define TESTMODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define TESTMODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

TESTMODULE_EXPORT int tkl_test_module_answer() { return 42; }

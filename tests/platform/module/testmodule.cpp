// A loadable module with one export, for the library-loading tests. The decoy build answers
// differently, so a test can tell which of two same-named modules was loaded.
#if defined(_WIN32)
#define TESTMODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define TESTMODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

#if defined(TKL_TEST_DECOY)
TESTMODULE_EXPORT int tkl_test_module_answer() { return 7; }
#else
TESTMODULE_EXPORT int tkl_test_module_answer() { return 42; }
#endif

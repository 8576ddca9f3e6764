// A module that carries a project resource and nothing else of note, to load resources from a
// module other than the program.
#if defined(_WIN32)
#define MODULE_API extern "C" __declspec(dllexport)
#else
#define MODULE_API extern "C" __attribute__((visibility("default")))
#endif

MODULE_API int tkl_resource_module_marker() { return 1; }

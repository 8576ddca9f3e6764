#pragma once
// Symbol visibility of the class library. TKL_BUILDING is defined while tkl itself is compiled.
//
// TKL_API marks the public interface, which tkl.dll and libtkl.so export.
// TKL_INTERNAL marks the few functions that only this tree's own tests reach (the allocation
// hook): tkl_inside, a copy of the library for those tests that is never installed, exports
// them beside the public interface; tkl.dll and libtkl.so do not (tkl/core/allocation.def).
// TKL_PLATFORM_NAME(Name) gives a Win32-named function of the POSIX platform layer the symbol
// tkl_Name, so that it cannot meet another library's function of that name.

#if defined(_WIN32)
#  if defined(TKL_BUILDING)
#    define TKL_API __declspec(dllexport)
#  else
#    define TKL_API __declspec(dllimport)
#  endif
#  define TKL_INTERNAL
#else
#  define TKL_API __attribute__((visibility("default")))
#  define TKL_INTERNAL __attribute__((visibility("default")))
#  define TKL_PLATFORM_NAME(name) __asm__("tkl_" #name)
#endif

#pragma once
// Symbol visibility of the class library. TKL_BUILDING is defined while tkl itself is compiled.

#if defined(_WIN32)
#  if defined(TKL_BUILDING)
#    define TKL_API __declspec(dllexport)
#  else
#    define TKL_API __declspec(dllimport)
#  endif
#else
#  define TKL_API __attribute__((visibility("default")))
#endif

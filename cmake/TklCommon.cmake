# Settings shared by every module of the project.

if(WIN32)
  # No MinGW runtime DLL may follow our modules around: link the runtimes statically.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
else()
  set(CMAKE_CXX_VISIBILITY_PRESET hidden)
  set(CMAKE_C_VISIBILITY_PRESET hidden)
  set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)
  set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)
  set(CMAKE_INSTALL_RPATH "$ORIGIN")
  set(CMAKE_BUILD_RPATH "$ORIGIN")
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

# The "sanitize" preset: every native module under AddressSanitizer and UndefinedBehaviorSanitizer,
# each finding fatal (no recovery), leaks reported at exit.
option(TKL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TKL_SANITIZE)
  if(WIN32)
    message(FATAL_ERROR "TKL_SANITIZE is for the native build")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# tkl_windows_dll_name(target name): the module is name.dll on Windows (no "lib" prefix) and
# libname.so elsewhere, as LoadLibraryA("name.dll") expects on both.
function(tkl_windows_dll_name target name)
  if(WIN32)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
  else()
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name})
  endif()
endfunction()

# Cross build for Windows x86-64 with MinGW-w64 (the -posix compilers, which have std::thread).
# The third-party libraries come from the prefix that tools/setup builds; VORN_DEPS_DIR names
# it, else the places tools/setup uses by default are tried. Programs run under Wine.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# try_compile projects read this file again: the environment carries the choice to them.
if(NOT VORN_DEPS_DIR)
  set(VORN_DEPS_DIR "$ENV{VORN_DEPS_DIR}")
endif()
if(NOT VORN_DEPS_DIR)
  foreach(candidate "$ENV{VORN_CACHE_DIR}" /var/cache/vorn "$ENV{XDG_CACHE_HOME}/vorn" "$ENV{HOME}/.cache/vorn")
    if(candidate AND EXISTS "${candidate}/windows-deps/.vorn-deps-stamp")
      set(VORN_DEPS_DIR "${candidate}/windows-deps")
      break()
    endif()
  endforeach()
endif()
if(NOT EXISTS "${VORN_DEPS_DIR}/.vorn-deps-stamp")
  message(FATAL_ERROR "No Windows libraries found (VORN_DEPS_DIR='${VORN_DEPS_DIR}'): run tools/setup")
endif()
set(VORN_DEPS_DIR "${VORN_DEPS_DIR}" CACHE PATH "Prefix of the cross-built Windows libraries")
set(ENV{VORN_DEPS_DIR} "${VORN_DEPS_DIR}")

set(CMAKE_FIND_ROOT_PATH "${VORN_DEPS_DIR}" /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives only: an import library would make the program need a DLL beside it.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a .lib)

# Test programs (and test discovery) run through Wine.
get_filename_component(_vorn_tools "${CMAKE_CURRENT_LIST_DIR}/../tools" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_vorn_tools}/wine-run")

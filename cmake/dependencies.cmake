# Third-party libraries. Natively they come from the system's development packages;
# for Windows from the prefix that tools/setup cross-builds (CMAKE_FIND_ROOT_PATH).

find_package(Threads REQUIRED)
find_package(EXPAT REQUIRED)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)

if(WIN32)
  # The static build exports a config package that defines AL_LIBTYPE_STATIC.
  find_package(OpenAL CONFIG REQUIRED)
  find_package(Ogg CONFIG REQUIRED)
  find_package(Vorbis CONFIG REQUIRED)
  set(VORN_OPENAL OpenAL::OpenAL)
  set(VORN_VORBIS Vorbis::vorbis Ogg::ogg)
  # expat is built static and its headers must be told so.
  set_property(TARGET EXPAT::EXPAT APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS XML_STATIC)
else()
  find_package(OpenAL REQUIRED)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(VORBIS REQUIRED IMPORTED_TARGET vorbis ogg)
  add_library(vorn_openal INTERFACE)
  target_include_directories(vorn_openal INTERFACE ${OPENAL_INCLUDE_DIR})
  target_link_libraries(vorn_openal INTERFACE ${OPENAL_LIBRARY})
  set(VORN_OPENAL vorn_openal)
  set(VORN_VORBIS PkgConfig::VORBIS)
endif()

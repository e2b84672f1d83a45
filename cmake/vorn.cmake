# Project-wide compiler settings and the helpers that every subsystem folder uses.

add_compile_options(-Wall -Wextra)
# Float results (table trigonometry, matrices, key interpolation) must be the same in every
# build, so products are rounded as written and never fused into one instruction.
add_compile_options(-ffp-contract=off)
if(VORN_WERROR)
  add_compile_options(-Werror)
endif()

if(VORN_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=${VORN_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${VORN_SANITIZE})
endif()

if(WIN32)
  # One self-contained executable: no MinGW runtime DLL has to ship beside it.
  add_link_options(-static)
  # Test programs at -O0 exceed the default object format's section limit.
  add_compile_options(-Wa,-mbig-obj)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
endif()

# vorn_add_library(<name> [DEPENDS <targets>...])
# Makes the library vorn_<name> from the sources of the calling folder; a folder
# with no sources yet gives an interface library, so that dependants still link.
function(vorn_add_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  if(sources)
    add_library(vorn_${name} STATIC ${sources})
    target_include_directories(vorn_${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(vorn_${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(vorn_${name} INTERFACE)
    target_include_directories(vorn_${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(vorn_${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# dorvix_subsystem(<name> [DEPENDS <lib>...])
# One static library per subsystem directory, made of every .cpp file in it.
# Headers are included from the repository root, e.g.
# #include "console/dialogue.hpp".
function(dorvix_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(dorvix_${name} STATIC ${sources})
    target_include_directories(dorvix_${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(dorvix_${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(dorvix_${name} INTERFACE)
    target_include_directories(dorvix_${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(dorvix_${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# dorvix_subsystem(<name> [DEPENDS <lib>...] [DIALOGUE <file>...])
# One static library per subsystem directory, made of every .cpp file in it.
# Headers are included from the repository root, e.g.
# #include "dialogue/frames.hpp".
#
# DIALOGUE names the files that hold only menus and prompts: they run once
# an answer, and the tables of their rows are large in optimised code, so
# the optimised builds compile them for size. The program's resident size
# is mostly its code: menus built for speed would cost memory in every
# run and gain nothing.
function(dorvix_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;DIALOGUE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(ARG_DIALOGUE)
    list(TRANSFORM ARG_DIALOGUE PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    set_source_files_properties(${ARG_DIALOGUE} PROPERTIES COMPILE_OPTIONS "$<$<CONFIG:Release,RelWithDebInfo>:-Os>")
  endif()
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

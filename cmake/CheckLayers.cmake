cmake_minimum_required(VERSION 3.25)
# cmake -DSOURCE_DIR=<repository> -P CheckLayers.cmake
# Fails when a source file includes against the direction of the layers:
#   platform < core/base < core/files < core/prefs, core/net < core/app < scripthost < graphics, sound < ui < game
# The script engine stands alone: it includes only itself, and only the script host and above include it.
# Only platform/ includes SDL or X11 headers.

# Rank of a repository path; siblings share a rank and may not include each other.
function(layer_of path out_rank out_module)
  set(table
    "platform/=0" "engine/core/base/=1" "engine/core/files/=2" "engine/core/prefs/=3" "engine/core/net/=3"
    "engine/core/app/=4" "engine/script/=4.5" "engine/scripthost/=5" "engine/graphics/=6" "engine/sound/=6"
    "engine/ui/=7" "game/=8" "tools/=9")
  foreach(entry IN LISTS table)
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 prefix)
    list(GET pair 1 rank)
    string(FIND "${path}" "${prefix}" at)
    if(at EQUAL 0)
      set(${out_rank} ${rank} PARENT_SCOPE)
      set(${out_module} ${prefix} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out_rank} "" PARENT_SCOPE)
  set(${out_module} "" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp ${SOURCE_DIR}/engine/*.h ${SOURCE_DIR}/engine/*.cpp
  ${SOURCE_DIR}/game/*.h ${SOURCE_DIR}/game/*.cpp ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.cpp)
set(violations "")
foreach(source IN LISTS sources)
  layer_of(${source} rank module)
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    if(line MATCHES "[<\"](SDL[^>\"]*|X11/[^>\"]*)[>\"]" AND NOT "${module}" STREQUAL "platform/")
      list(APPEND violations "${source}: ${CMAKE_MATCH_1} (only platform/ uses SDL and X11)")
    endif()
    if(NOT line MATCHES "\"((platform|engine|game|tools)/[^\"]*)\"")
      continue()
    endif()
    set(target ${CMAKE_MATCH_1})
    layer_of(${target} target_rank target_module)
    if("${target_module}" STREQUAL "${module}")
      continue()
    endif()
    if("${module}" STREQUAL "engine/script/" OR target_rank GREATER_EQUAL rank)
      list(APPEND violations "${source}: ${target} (${module} may not include ${target_module})")
    endif()
  endforeach()
endforeach()
if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "Layers respected in ${CMAKE_CURRENT_LIST_DIR}/..")

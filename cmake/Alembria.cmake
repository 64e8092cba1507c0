# Project-wide build helpers.

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(ALEMBRIA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -O1)
  add_link_options(-fsanitize=address,undefined)
endif()

# Adds every listed folder that has a CMakeLists.txt of its own.
function(alembria_add_subdirectories)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# Adds every direct child folder that has a CMakeLists.txt of its own.
function(alembria_add_child_directories)
  file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# alembria_test(NAME name SOURCES a.cpp ... LIBS lib ...)
# One GoogleTest executable registered with CTest; tests run from their own build folder, headless
# (the shared test main defaults SDL's video and audio drivers to "dummy").
function(alembria_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} alembria_test_main GTest::gtest Threads::Threads)
  target_compile_definitions(${T_NAME} PRIVATE ALEMBRIA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${T_NAME} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 60)
endfunction()

find_package(Threads REQUIRED)

# alembria_fuzz_target(NAME name SOURCE file LIBRARY lib CORPUS folder)
# A fuzz target over one library. Every build replays the seed corpus through it (fuzz_replay_<name>).
# With ALEMBRIA_FUZZ (clang) it is the libFuzzer binary fuzz_<name>, run for ALEMBRIA_FUZZ_SECONDS on
# its corpus under the label "fuzz", and the library is instrumented too.
function(alembria_fuzz_target)
  cmake_parse_arguments(F "" "NAME;SOURCE;LIBRARY;CORPUS" "" ${ARGN})
  if(ALEMBRIA_FUZZ)
    target_compile_options(${F_LIBRARY} PRIVATE -fsanitize=fuzzer-no-link)
    set(work ${CMAKE_CURRENT_BINARY_DIR}/found/${F_NAME})
    file(MAKE_DIRECTORY ${work})
    add_executable(fuzz_${F_NAME} ${F_SOURCE})
    target_compile_options(fuzz_${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${F_NAME} PRIVATE ${F_LIBRARY})
    add_test(NAME fuzz_${F_NAME}
      COMMAND fuzz_${F_NAME} -max_total_time=${ALEMBRIA_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048 ${work} ${F_CORPUS})
    set_tests_properties(fuzz_${F_NAME} PROPERTIES LABELS fuzz)
  else()
    add_executable(fuzz_replay_${F_NAME} ${F_SOURCE} ${PROJECT_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
    target_link_libraries(fuzz_replay_${F_NAME} PRIVATE ${F_LIBRARY})
    add_test(NAME fuzz_replay_${F_NAME} COMMAND fuzz_replay_${F_NAME} ${F_CORPUS})
  endif()
endfunction()

# alembria_embed_file(<target> <input> <symbol> <header>): compiles the bytes of input into target as
# <symbol>Data / <symbol>Size, declared in header.
function(alembria_embed_file target input symbol header)
  get_filename_component(name ${input} NAME)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${name}.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol} -DHEADER=${header}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()

# Helpers shared by every folder's CMakeLists.
#
# Source naming decides which build a file belongs to:
#   *Win32.cpp  only in the Windows build (calls the platform directly),
#   *Host.cpp   only in the host build (stands in for those calls).
# A folder whose code is only partly pure lists its pure files with
# HOST_SOURCES (file names in the folder); in the host build only those are
# compiled, none when the list is empty.

set(TAVRIN_WINE_RUN ${CMAKE_SOURCE_DIR}/tools/wine-run)

function(tavrin_filter_platform out)
  set(result)
  foreach(f ${ARGN})
    get_filename_component(name ${f} NAME_WE)
    if(TAVRIN_HOST AND name MATCHES "Win32$")
      continue()
    endif()
    if(NOT TAVRIN_HOST AND name MATCHES "Host$")
      continue()
    endif()
    list(APPEND result ${f})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# The .cpp files of the current folder and of its SUBDIRS (window/controls
# joins the window library: the window procedure and the controls call each
# other).
function(tavrin_glob_sources out)
  set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(d ${ARGN})
    list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${d}/*.cpp)
  endforeach()
  file(GLOB result CONFIGURE_DEPENDS ${patterns})
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# tavrin_library(name [HOST_SOURCES f...] [SUBDIRS d...] [DEPENDS lib...] [WIN32_LIBS lib...])
# One static library per folder, made of every .cpp in it.
function(tavrin_library name)
  cmake_parse_arguments(A "" "" "HOST_SOURCES;SUBDIRS;DEPENDS;WIN32_LIBS" ${ARGN})
  tavrin_glob_sources(sources ${A_SUBDIRS})
  if(TAVRIN_HOST AND "HOST_SOURCES" IN_LIST ARGN)
    list(TRANSFORM A_HOST_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    set(sources ${A_HOST_SOURCES})
  endif()
  tavrin_filter_platform(sources ${sources})
  # A folder whose first files are still to come is an empty interface
  # library, so that its dependants link the same way before and after.
  set(scope PUBLIC)
  if(sources)
    add_library(${name} STATIC ${sources})
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_link_libraries(${name} ${scope} ${A_DEPENDS})
  if(NOT TAVRIN_HOST)
    target_link_libraries(${name} ${scope} ${A_WIN32_LIBS})
  endif()
endfunction()

# tavrin_tests(name [HOST_SOURCES f...] [SUBDIRS d...] LIBS lib...)
# One test executable per folder of tests/, run once by ctest: under Wine
# through tools/wine-run in the Windows build, natively in the host build.
function(tavrin_tests name)
  cmake_parse_arguments(A "" "" "HOST_SOURCES;SUBDIRS;LIBS" ${ARGN})
  tavrin_glob_sources(sources ${A_SUBDIRS})
  if(TAVRIN_HOST AND "HOST_SOURCES" IN_LIST ARGN)
    list(TRANSFORM A_HOST_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    set(sources ${A_HOST_SOURCES})
  endif()
  tavrin_filter_platform(sources ${sources})
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${A_LIBS} gtest_main)
  # Fixtures of tests/<folder>/data; Wine sees the host's root as drive Z:.
  set(data ${CMAKE_CURRENT_SOURCE_DIR}/data)
  if(NOT TAVRIN_HOST)
    set(data Z:${data})
  endif()
  target_compile_definitions(${name} PRIVATE TAVRIN_TEST_DATA="${data}")
  set(TEST_NAME ${name})
  if(TAVRIN_HOST)
    set(TEST_NAME host.${name})
    add_test(NAME host.${name} COMMAND ${name})
  else()
    add_test(NAME ${name} COMMAND ${TAVRIN_WINE_RUN} $<TARGET_FILE:${name}>)
  endif()
  set_tests_properties(${TEST_NAME} PROPERTIES TIMEOUT 900)
  # Windows tests share one X display: windows of two programs at once take
  # the focus from each other, and synthesised input goes astray.
  if(NOT TAVRIN_HOST)
    set_tests_properties(${TEST_NAME} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# tavrin_fuzzer(name SOURCES f... LIBS lib...)
# A libFuzzer target of tests/fuzz, built only with TAVRIN_FUZZ. ctest runs it
# for TAVRIN_FUZZ_SECONDS (60 by default) from the seeds in tests/fuzz/seeds/<name>
# when that folder exists; any crash, leak, hang (10 s per input) or
# sanitizer report fails the test.
set(TAVRIN_FUZZ_SECONDS 60 CACHE STRING "Seconds each fuzz target runs under ctest")
function(tavrin_fuzzer name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/corpus-${name})
  set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/seeds/${name})
  set(args -max_total_time=${TAVRIN_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
           -print_final_stats=1 ${corpus})
  if(EXISTS ${seeds})
    list(APPEND args ${seeds})
  endif()
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME fuzz.${name} COMMAND ${name} ${args})
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 600)
endfunction()

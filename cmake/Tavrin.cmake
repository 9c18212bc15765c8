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

# The system libraries that every folder may list and that the engine binds
# at their first use all the same (tavrin_delayable): the window system and
# everything that loads it, so that a program that makes no window before it
# ends pays for none of it.
set(TAVRIN_DELAYED_SYSTEM_LIBS user32 gdi32 ole32 oleaut32 shell32 shlwapi winmm ws2_32)

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
    set(libs)
    foreach(lib IN LISTS A_WIN32_LIBS)
      if(lib IN_LIST TAVRIN_DELAYED_SYSTEM_LIBS)
        tavrin_delayable(lib ${lib} ${lib}.dll)
      endif()
      list(APPEND libs ${lib})
    endforeach()
    target_link_libraries(${name} ${scope} ${libs})
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

# tavrin_delayable(out lib dll): the system library lib (the file dll) as a
# link item that binds at the first call of each of its functions (the C
# run-time's delay-load helper) in an executable whose TAVRIN_DELAY_LOAD
# property is set, and as usual in every other. The process then pays for
# loading and initialising the library only when a program uses it. The
# delay-import library is made at configure time from the functions of the
# toolchain's own import library; data cannot be delay-loaded and still comes
# from that library.
function(tavrin_delayable out lib dll)
  set(${out} ${lib} PARENT_SCOPE)
  set(delay_target delay_${lib})
  if(NOT TARGET ${delay_target})
    find_library(import_library NAMES ${lib} NO_CACHE)
    if(NOT import_library OR NOT CMAKE_DLLTOOL OR NOT CMAKE_NM)
      return()
    endif()
    execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${import_library}
                    OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
    string(REGEX MATCHALL " T _[A-Za-z0-9_]+@[0-9]+" functions "${symbols}")
    if(failed OR NOT functions)
      return()
    endif()
    list(TRANSFORM functions REPLACE "^ T _" "")
    list(REMOVE_DUPLICATES functions)
    list(JOIN functions "\n" exports)
    set(dir ${CMAKE_BINARY_DIR}/delay-imports)
    file(MAKE_DIRECTORY ${dir})
    file(WRITE ${dir}/${lib}.def "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${CMAKE_DLLTOOL} -k -d ${dir}/${lib}.def -y ${dir}/lib${lib}_delay.a
                    RESULT_VARIABLE failed)
    if(failed)
      return()
    endif()
    # The linker drops the stub of a function that the code calls through
    # its import pointer (every function declared dllimport), although the
    # delay-import pointer starts out pointing into that stub: each stub is
    # kept by naming it as a needed symbol (a linker script of EXTERNs).
    list(TRANSFORM functions REPLACE "^(.+)$" "\"_\\1\"")
    list(JOIN functions " " needed)
    file(WRITE ${dir}/${lib}.keep "EXTERN(${needed})\n")
    add_library(${delay_target} STATIC IMPORTED GLOBAL)
    set_target_properties(${delay_target} PROPERTIES IMPORTED_LOCATION ${dir}/lib${lib}_delay.a
      INTERFACE_LINK_OPTIONS ${dir}/${lib}.keep
      # The ordinary library after it gives what is data (GUIDs, say).
      INTERFACE_LINK_LIBRARIES ${lib})
  endif()
  set(${out} "$<IF:$<BOOL:$<TARGET_PROPERTY:TAVRIN_DELAY_LOAD>>,${delay_target},${lib}>" PARENT_SCOPE)
endfunction()

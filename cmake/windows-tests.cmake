# Test programs for Windows, run under Wine in the build tree's prefix, all on one Xvfb display.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(harness ${CMAKE_SOURCE_DIR}/tests/harness)
add_test(NAME wine_prefix COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-prefix ${CMAKE_BINARY_DIR}/wineprefix ${KESTOVA_ARCH})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine)
add_test(NAME xvfb_start COMMAND ${harness}/xvfb start ${CMAKE_BINARY_DIR})
set_tests_properties(xvfb_start PROPERTIES FIXTURES_SETUP display)
add_test(NAME xvfb_stop COMMAND ${harness}/xvfb stop ${CMAKE_BINARY_DIR})
set_tests_properties(xvfb_stop PROPERTIES FIXTURES_CLEANUP display)

add_test(NAME imports COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports $<TARGET_FILE:Kestova>)

file(GLOB harness_sources CONFIGURE_DEPENDS ${harness}/*.cpp)
add_library(test_harness STATIC ${harness_sources})
target_include_directories(test_harness PUBLIC ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(test_harness PUBLIC kestova_app GTest::gtest ws2_32)
target_compile_options(test_harness PRIVATE ${KESTOVA_WARNINGS})
# Another process that holds a file open without sharing.
add_executable(hold_file ${CMAKE_SOURCE_DIR}/tests/tools/hold_file.cpp)
target_link_options(hold_file PRIVATE -municode)
target_link_libraries(hold_file PRIVATE xp_compat)
target_compile_options(hold_file PRIVATE ${KESTOVA_WARNINGS})

target_compile_definitions(test_harness PUBLIC
  KESTOVA_DIST_DIR="${KESTOVA_DIST_DIR}" KESTOVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  KESTOVA_HOLD_FILE_EXE="$<TARGET_FILE:hold_file>" KESTOVA_RELEASE_DIR="${CMAKE_SOURCE_DIR}/build"
  KESTOVA_RELEASE_SUFFIX="${KESTOVA_RELEASE_SUFFIX}")

# One program per test folder; each runs every test of that folder under Wine.
foreach(kind win gui e2e codepage release)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${kind}/*.cpp)
  if(NOT sources)
    continue()
  endif()
  add_executable(${kind}_tests ${sources} ${CMAKE_SOURCE_DIR}/res/kestova.rc)
  target_link_libraries(${kind}_tests PRIVATE test_harness xp_compat GTest::gtest_main)
  target_compile_options(${kind}_tests PRIVATE ${KESTOVA_WARNINGS})
  # Tests that count or empty the recycle bin, or walk the URL cache, share one lock: their names
  # hold "RecycleBin" or "UrlCache".
  set(shared "*RecycleBin*:*UrlCache*")
  add_test(NAME ${kind}_tests COMMAND ${kind}_tests --gtest_filter=-${shared})
  add_test(NAME ${kind}_shared_tests COMMAND ${kind}_tests --gtest_filter=${shared})
  set_tests_properties(${kind}_tests ${kind}_shared_tests PROPERTIES FIXTURES_REQUIRED "wine;display" TIMEOUT 900)
  set_tests_properties(${kind}_shared_tests PROPERTIES RESOURCE_LOCK recycle_bin_and_url_cache)
endforeach()

# The windows at 125 %, 150 % and 200 % display scaling: the fit test and the tests of scaled
# clicks, drops and rescaling run again, each DPI in a prefix of its own (see tests/harness/at-dpi).
foreach(dpi 120 144 192)
  add_test(NAME gui_tests_at_${dpi}dpi
           COMMAND ${harness}/at-dpi ${dpi} $<TARGET_FILE:gui_tests> --gtest_filter=Translations.*:*Scaled*)
  set_tests_properties(gui_tests_at_${dpi}dpi PROPERTIES FIXTURES_REQUIRED "wine;display" RESOURCE_LOCK dpi_prefix
                       TIMEOUT 900)
endforeach()

# Stands in for a program another one starts: appends its command line to its own path + ".log".
add_executable(recorder ${CMAKE_SOURCE_DIR}/tests/tools/recorder.cpp)
target_link_libraries(recorder PRIVATE xp_compat)
target_link_options(recorder PRIVATE -municode)
target_compile_options(recorder PRIVATE ${KESTOVA_WARNINGS})
target_compile_definitions(test_harness PUBLIC KESTOVA_RECORDER="$<TARGET_FILE:recorder>")
add_dependencies(test_harness recorder)
if(TARGET e2e_tests)
  add_dependencies(e2e_tests Kestova dist_files help_file)
endif()
add_dependencies(gui_tests hold_file)

# Windows whose ANSI code page is not 1252: Wine takes it from the locale a program starts in.
set_tests_properties(codepage_tests PROPERTIES ENVIRONMENT "LC_ALL=ru_RU.UTF-8")

# The release: scripts/release makes the zip and the installer (checked by release-test); the
# installer is then run in a prefix of its own.
add_test(NAME release COMMAND ${CMAKE_SOURCE_DIR}/tests/release/release-test ${CMAKE_SOURCE_DIR} ${KESTOVA_ARCH})
set_tests_properties(release PROPERTIES FIXTURES_SETUP release_files TIMEOUT 600)
add_dependencies(release_tests Kestova dist_files help_file)
set_tests_properties(release_tests PROPERTIES FIXTURES_REQUIRED "release_files;display"
  ENVIRONMENT "KESTOVA_PREFIX=${CMAKE_BINARY_DIR}/release-prefix")

# Benchmarks: one program per bench/*.cpp, run by its bench script.
file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
foreach(source ${bench_sources})
  get_filename_component(name ${source} NAME_WE)
  # With the program's resources (shipped defaults, manifest): a bench may run the real hub.
  add_executable(${name} ${source} ${CMAKE_SOURCE_DIR}/res/kestova.rc)
  target_link_libraries(${name} PRIVATE test_harness xp_compat psapi)
  target_compile_options(${name} PRIVATE ${KESTOVA_WARNINGS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()

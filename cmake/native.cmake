# Native build of the platform-free core and its tests, with AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${SANITIZE} -g)
add_link_options(${SANITIZE})

add_library(kestova_core STATIC ${KESTOVA_CORE_SOURCES})
target_include_directories(kestova_core PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
target_compile_options(kestova_core PRIVATE ${KESTOVA_WARNINGS})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(core_tests ${KESTOVA_CORE_TESTS})
target_link_libraries(core_tests PRIVATE kestova_core GTest::gtest_main)
target_compile_options(core_tests PRIVATE ${KESTOVA_WARNINGS})
# The shipped data files are read by their tests where they lie.
target_compile_definitions(core_tests PRIVATE KESTOVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_test(NAME core_tests COMMAND core_tests)

# Fuzz targets, with clang's libFuzzer; each runs for a bounded number of inputs as a test.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  file(GLOB fuzz_targets CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  foreach(source ${fuzz_targets})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE kestova_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_test(NAME ${name} COMMAND ${name} -runs=300000 -max_len=256 -seed=1)
  endforeach()
endif()

# No folder of src/ includes one above it, and the core includes no Windows header.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME layering COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/check-layers ${CMAKE_SOURCE_DIR}/src)

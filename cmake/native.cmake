# Native build of the platform-free core and its tests, with AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${SANITIZE} -g)
add_link_options(${SANITIZE})

add_library(kestova_core STATIC ${KESTOVA_CORE_SOURCES})
target_include_directories(kestova_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(kestova_core PRIVATE ${KESTOVA_WARNINGS})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(core_tests ${KESTOVA_CORE_TESTS})
target_link_libraries(core_tests PRIVATE kestova_core GTest::gtest_main)
target_compile_options(core_tests PRIVATE ${KESTOVA_WARNINGS})
add_test(NAME core_tests COMMAND core_tests)

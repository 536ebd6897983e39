# Benchmarks: built only on request (bench/ scripts build and run them), never part of the tests.
add_executable(registry_search_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/registry_search.cpp)
target_link_libraries(registry_search_bench PRIVATE kestova_app xp_compat)
target_compile_options(registry_search_bench PRIVATE ${KESTOVA_WARNINGS})
target_link_options(registry_search_bench PRIVATE -municode)

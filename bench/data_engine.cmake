add_executable(bench_data_engine ${CMAKE_CURRENT_LIST_DIR}/data_engine.cpp)
target_link_libraries(bench_data_engine PRIVATE dorvana_data benchmark::benchmark_main)

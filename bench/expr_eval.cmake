add_executable(bench_expr_eval ${CMAKE_CURRENT_SOURCE_DIR}/expr_eval.cpp)
target_link_libraries(bench_expr_eval PRIVATE dorvana_expr benchmark::benchmark_main)

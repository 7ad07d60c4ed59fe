add_executable(bench_server_grid ${CMAKE_CURRENT_LIST_DIR}/server_grid.cpp)
target_link_libraries(bench_server_grid PRIVATE dorvana_app_core dorvana_controls Qt6::Widgets Qt6::Test)
target_compile_definitions(bench_server_grid PRIVATE DORVANA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  DORVANA_BINARY_DIR="${PROJECT_BINARY_DIR}")

add_executable(bench_grid_open ${CMAKE_CURRENT_LIST_DIR}/grid_open.cpp)
target_link_libraries(bench_grid_open PRIVATE dorvana_app_core dorvana_controls Qt6::Widgets Qt6::Test)

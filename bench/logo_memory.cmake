add_executable(bench_logo_memory ${CMAKE_CURRENT_LIST_DIR}/logo_memory.cpp)
target_link_libraries(bench_logo_memory PRIVATE dorvana_render dorvana_layout benchmark::benchmark Qt6::Gui)

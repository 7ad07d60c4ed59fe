add_executable(bench_render_pdf ${CMAKE_CURRENT_SOURCE_DIR}/render_pdf.cpp)
target_link_libraries(bench_render_pdf PRIVATE dorvana_render benchmark::benchmark Qt6::Gui)

dorvana_fuzz(fuzz_filter_file ${CMAKE_CURRENT_SOURCE_DIR}/filter_file.cpp DEPS dorvana_app_core)

dorvana_fuzz(fuzz_corrections ${CMAKE_CURRENT_SOURCE_DIR}/corrections.cpp DEPS dorvana_pages)

dorvana_fuzz(fuzz_sheet_file ${CMAKE_CURRENT_SOURCE_DIR}/sheet_file.cpp DEPS dorvana_paper)

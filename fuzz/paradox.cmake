dorvana_fuzz(fuzz_paradox ${CMAKE_CURRENT_SOURCE_DIR}/paradox.cpp DEPS dorvana_data)

dorvana_fuzz(fuzz_template ${CMAKE_CURRENT_SOURCE_DIR}/template.cpp DEPS dorvana_model)

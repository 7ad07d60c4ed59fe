dorvana_fuzz(fuzz_selection_file ${CMAKE_CURRENT_SOURCE_DIR}/selection_file.cpp
             SOURCES ${PROJECT_SOURCE_DIR}/src/app/core/selection_file.cpp DEPS dorvana_base)

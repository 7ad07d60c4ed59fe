dorvana_fuzz(fuzz_barcode ${CMAKE_CURRENT_SOURCE_DIR}/barcode.cpp DEPS dorvana_barcode Qt6::Gui)

# Helpers shared by every folder's CMakeLists.txt.
#
#   dorvana_library(NAME [DEPS ...])  a static library of every .cpp/.h below the
#                                     calling folder (subfolders with their own
#                                     CMakeLists.txt excluded)
#   dorvana_test(NAME [GUI] [DEPS ...])  a GoogleTest executable of every .cpp
#                                     below the calling folder, registered with
#                                     CTest; GUI gives it a QApplication
#   dorvana_fuzz(NAME SOURCE [DEPS ...])  a libFuzzer target (DORVANA_FUZZ=ON)

function(_dorvana_sources out)
  file(GLOB_RECURSE _all CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  set(_keep)
  foreach(_f IN LISTS _all)
    # Skip files that belong to a nested folder with a CMakeLists.txt of its own.
    get_filename_component(_dir "${_f}" DIRECTORY)
    set(_owned TRUE)
    while(NOT _dir STREQUAL CMAKE_CURRENT_SOURCE_DIR)
      if(EXISTS "${_dir}/CMakeLists.txt")
        set(_owned FALSE)
        break()
      endif()
      get_filename_component(_dir "${_dir}" DIRECTORY)
    endwhile()
    if(_owned)
      list(APPEND _keep "${_f}")
    endif()
  endforeach()
  set(${out} ${_keep} PARENT_SCOPE)
endfunction()

function(dorvana_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  _dorvana_sources(_src)
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

function(dorvana_test name)
  cmake_parse_arguments(ARG "GUI" "" "DEPS" ${ARGN})
  _dorvana_sources(_src)
  add_executable(${name} ${_src})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  if(ARG_GUI)
    set(_main dorvana_testmain_gui)
  else()
    set(_main dorvana_testmain)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${_main} dorvana_testsupport GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    DORVANA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    DORVANA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;TZ=Europe/Prague"
    DISCOVERY_TIMEOUT 60)
endfunction()

function(dorvana_fuzz name source)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# Adds, in the given order, each listed subfolder that has a CMakeLists.txt.
function(dorvana_add_subdirectories)
  foreach(_d IN LISTS ARGN)
    if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${_d}/CMakeLists.txt")
      add_subdirectory(${_d})
    endif()
  endforeach()
endfunction()

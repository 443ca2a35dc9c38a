# skinstudio_include_root(<folder> <out-var>)
# A folder in the build tree that holds only a link "<folder>" to
# src/<folder>. A library adds its own root to its include path, so whoever
# links it can write "<folder>/x.h" and sees no other part of src/: an
# include that goes against the layers fails to compile.
function(skinstudio_include_root folder out)
  set(root ${PROJECT_BINARY_DIR}/include/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# The files of the other operating system: what is named *_windows.cpp or
# *_windows_tests.cpp is built for Windows only, *_posix.cpp and
# *_posix_tests.cpp for everything else.
if(WIN32)
  set(SKINSTUDIO_OTHER_SYSTEM posix)
else()
  set(SKINSTUDIO_OTHER_SYSTEM windows)
endif()

# skinstudio_module(<name> DEPS <targets...>)
# A static library from every .cpp in the current folder except *_tests.cpp,
# and, when tests are on, one test program <name>_tests from the *_tests.cpp
# files beside it, registered with CTest. Files are picked up as they appear.
function(skinstudio_module name)
  cmake_parse_arguments(ARG "" "" "DEPS;TEST_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_tests.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  list(REMOVE_ITEM sources ${tests} "")
  list(FILTER sources EXCLUDE REGEX "_${SKINSTUDIO_OTHER_SYSTEM}\\.cpp$")
  list(FILTER tests EXCLUDE REGEX "_${SKINSTUDIO_OTHER_SYSTEM}_tests\\.cpp$")
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  skinstudio_include_root(${folder} root)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${root})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
  if(SKINSTUDIO_TESTS AND tests)
    add_executable(${name}_tests ${tests})
    target_link_libraries(${name}_tests PRIVATE ${name} ${ARG_TEST_DEPS} skinstudio_testsupport
                          GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name}_tests PRIVATE
                               SKINSTUDIO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
                         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
endfunction()

# skinstudio_embed(<output.cpp> <input file> <symbol>)
# Turns a data file into a C++ source defining
#   extern const unsigned char <symbol>[]; extern const std::size_t <symbol>Size;
function(skinstudio_embed output input symbol)
  add_custom_command(OUTPUT ${output}
                     COMMAND $<TARGET_FILE:skinstudio-embed> ${input} ${symbol} ${output}
                     DEPENDS ${SKINSTUDIO_GENERATOR_DEPENDS} ${input}
                     COMMENT "Embedding ${input}")
endfunction()

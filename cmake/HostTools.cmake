# The build-time generators of a cross build, made for and run on the build
# machine: tools/host is built as a project of its own with the build
# machine's compiler, and its programs are imported under the names the
# native build gives them. SKINSTUDIO_GENERATOR_DEPENDS is what a custom
# command that runs them depends on.
include(ExternalProject)
set(host_tools_dir ${CMAKE_BINARY_DIR}/host-tools)
set(host_embed ${host_tools_dir}/tools/skinstudio-embed)
set(host_artgen ${host_tools_dir}/tools/skinstudio-artgen)
set(host_cmake_args -DCMAKE_BUILD_TYPE=Release)
foreach(launcher CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER)
  if(${launcher})
    list(APPEND host_cmake_args -D${launcher}=${${launcher}})
  endif()
endforeach()
ExternalProject_Add(skinstudio_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/host
  BINARY_DIR ${host_tools_dir}
  CMAKE_ARGS ${host_cmake_args}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${host_embed} ${host_artgen})
foreach(tool embed artgen)
  add_executable(skinstudio-${tool} IMPORTED GLOBAL)
  set_target_properties(skinstudio-${tool} PROPERTIES IMPORTED_LOCATION ${host_${tool}})
endforeach()
set(SKINSTUDIO_GENERATOR_DEPENDS skinstudio_host_tools ${host_embed} ${host_artgen})

# The built-in default skin pictures, the sample game icon and the hinge are
# drawn by tools/artgen at build time.
set(BUILTIN_PICTURES_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/builtin_pictures_data.cpp)
add_custom_command(OUTPUT ${BUILTIN_PICTURES_SOURCE}
                   COMMAND $<TARGET_FILE:skinstudio-artgen> --source ${BUILTIN_PICTURES_SOURCE}
                   DEPENDS ${SKINSTUDIO_GENERATOR_DEPENDS}
                   COMMENT "Drawing the built-in skin pictures")
target_sources(skinstudio_resources PRIVATE ${BUILTIN_PICTURES_SOURCE})

# Contact sheet for people: cmake --build <dir> --target skinstudio-artgen-sheet
add_custom_target(skinstudio-artgen-sheet
                  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/artgen-pictures
                  COMMAND $<TARGET_FILE:skinstudio-artgen> --png ${CMAKE_BINARY_DIR}/artgen-pictures
                  DEPENDS ${SKINSTUDIO_GENERATOR_DEPENDS})

# The application icon in every size an installer takes, with transparency,
# as skinstudio-<size>.png in build/app-icons. Built with everything, since
# the install rules take them (SKINSTUDIO_APP_ICONS lists the files):
# cmake --build <dir> --target skinstudio-app-icons
set(APP_ICONS "")
foreach(size 16 32 48 64 128 256 512)
  list(APPEND APP_ICONS ${CMAKE_BINARY_DIR}/app-icons/skinstudio-${size}.png)
endforeach()
add_custom_command(OUTPUT ${APP_ICONS}
                   COMMAND $<TARGET_FILE:skinstudio-artgen> --icons ${CMAKE_BINARY_DIR}/app-icons
                   DEPENDS ${SKINSTUDIO_GENERATOR_DEPENDS}
                   COMMENT "Drawing the application icons")
add_custom_target(skinstudio-app-icons ALL DEPENDS ${APP_ICONS})
set_property(GLOBAL PROPERTY SKINSTUDIO_APP_ICONS ${APP_ICONS})

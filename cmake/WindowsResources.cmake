# The program icon and version information of a Windows executable. The
# icon file is made from the application icons artgen draws (an ICO holds
# sizes up to 256), with ImageMagick; the packages carry it too.
set(SKINSTUDIO_WINDOWS_ICON ${CMAKE_BINARY_DIR}/app-icons/skinstudio.ico)

function(skinstudio_windows_resources target description)
  if(NOT TARGET skinstudio_windows_icon)
    find_program(MAGICK_CONVERT convert REQUIRED)
    get_property(icons GLOBAL PROPERTY SKINSTUDIO_APP_ICONS)
    list(FILTER icons EXCLUDE REGEX "-512\\.png$")
    add_custom_command(OUTPUT ${SKINSTUDIO_WINDOWS_ICON}
                       COMMAND ${MAGICK_CONVERT} ${icons} ${SKINSTUDIO_WINDOWS_ICON}
                       DEPENDS ${icons} COMMENT "Making the Windows program icon")
    add_custom_target(skinstudio_windows_icon DEPENDS ${SKINSTUDIO_WINDOWS_ICON})
  endif()
  set(PROGRAM_NAME ${target})
  set(PROGRAM_FILE ${target}.exe)
  set(DESCRIPTION ${description})
  set(ICON_FILE ${SKINSTUDIO_WINDOWS_ICON})
  set(VERSION_TEXT ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0)
  set(VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${SKINSTUDIO_WINDOWS_ICON})
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} skinstudio_windows_icon)
endfunction()

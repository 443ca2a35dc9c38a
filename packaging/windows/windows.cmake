# What the Windows packages hold: both programs side by side with their
# language files, the licences and where the sources are. The portable ZIP
# and the installer are made from one installation of these rules by
# tools/windows-build.sh:
#   cmake --install build-windows --prefix <stage>
set(SKINSTUDIO_WINDOWS_SDK "" CACHE PATH "The SDK tools/windows-sdk.sh made (licences of what is linked in)")

install(TARGETS skinstudio skinstudio-cli RUNTIME DESTINATION .)
file(GLOB language_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/language/*.ini)
install(FILES ${language_files} DESTINATION language)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/SOURCE.txt DESTINATION .)
install(FILES ${SKINSTUDIO_WINDOWS_ICON} DESTINATION .)
if(SKINSTUDIO_WINDOWS_SDK)
  install(DIRECTORY ${SKINSTUDIO_WINDOWS_SDK}/licences/ DESTINATION licences)
endif()

# The portable zip: unpack anywhere and run Vela.exe. Everything sits in one
# folder because Vela finds its hook libraries, its settings file and its
# macro scripts beside itself.
#
#   cpack -G ZIP --config build/windows/CPackConfig.cmake
get_directory_property(vela_hook_targets DIRECTORY ${PROJECT_SOURCE_DIR}/hooks/win32
    DEFINITION vela_hook_targets)
install(TARGETS Vela ${vela_hook_targets} RUNTIME DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ScriptsMacros DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Vela)
set(VELA_PUBLISHER Kestrel)
set(CPACK_PACKAGE_VENDOR ${VELA_PUBLISHER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Vela-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Remaps the extra inputs of a gaming mouse")
# Only what the rules above install; the test programs have no rules.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Symbols stay in the build; the zip carries the stripped programs.
set(CPACK_STRIP_FILES ON)
include(CPack)

# The installer for those who want one, from the same install rules.
include(${CMAKE_CURRENT_LIST_DIR}/Installer.cmake)

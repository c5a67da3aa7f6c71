# Vela's installer (NSIS, per user) and its package manager manifest, made
# from the programs the zip's install rules stage:
#
#   cmake --build --preset windows --target installer
#
# build/windows/installer/ then holds Vela-<version>-setup.exe and
# Kestrel.Vela-<version>.yaml. With VELA_SIGN_CERT and VELA_SIGN_KEY the
# programs, the installer and its uninstaller are signed; unsigned otherwise.
find_program(VELA_MAKENSIS makensis)
find_program(VELA_OSSLSIGNCODE osslsigncode)
find_program(VELA_PYTHON python3)
set(VELA_SIGN_CERT "" CACHE FILEPATH "Code signing certificate (PEM); no signing when empty")
set(VELA_SIGN_KEY "" CACHE FILEPATH
    "The certificate's private key (PEM); its password, if any, in VELA_SIGN_PASSWORD")
set(VELA_DOWNLOAD_BASE "https://example.com/vela" CACHE STRING
    "Where released installers are downloaded from: the manifest's InstallerUrl")

# The build's values, for the target and for anyone packaging these same
# programs as another version (-DVERSION=... -DOUT_DIR=... -P this file).
set(vela_make_installer ${PROJECT_BINARY_DIR}/installer/make-installer.cmake)
file(CONFIGURE OUTPUT ${vela_make_installer} @ONLY CONTENT [[
# Made by cmake/Installer.cmake. -DVERSION=, -DOUT_DIR=, -DCERT= and -DKEY=
# override the build's values.
if(NOT VERSION)
    set(VERSION @PROJECT_VERSION@)
endif()
if(NOT OUT_DIR)
    set(OUT_DIR "@PROJECT_BINARY_DIR@/installer")
endif()
if(NOT DEFINED CERT)
    set(CERT "@VELA_SIGN_CERT@")
endif()
if(NOT DEFINED KEY)
    set(KEY "@VELA_SIGN_KEY@")
endif()
set(BINARY_DIR "@PROJECT_BINARY_DIR@")
set(SOURCE_DIR "@PROJECT_SOURCE_DIR@")
set(PUBLISHER "@VELA_PUBLISHER@")
set(MAKENSIS "@VELA_MAKENSIS@")
set(OSSLSIGNCODE "@VELA_OSSLSIGNCODE@")
set(PYTHON "@VELA_PYTHON@")
set(DOWNLOAD_BASE "@VELA_DOWNLOAD_BASE@")
include("@PROJECT_SOURCE_DIR@/packaging/MakeInstaller.cmake")
]])

add_custom_target(installer
    COMMAND ${CMAKE_COMMAND} -P ${vela_make_installer}
    COMMENT "Making the installer and its manifest"
    VERBATIM)
add_dependencies(installer Vela ${vela_hook_targets})

if(VELA_BUILD_TESTS AND CMAKE_HOST_UNIX)
    add_test(NAME installer_signing
        COMMAND ${PROJECT_SOURCE_DIR}/tests/packaging/signing.sh ${vela_make_installer}
            ${CMAKE_CURRENT_BINARY_DIR}/installer-signing)
endif()

# Makes Vela's installer and its package manager manifest from a built tree,
# without building anything:
#
#   cmake -DBINARY_DIR=build/windows -DOUT_DIR=... -DVERSION=3.2.3 ... -P MakeInstaller.cmake
#
# The `installer` target runs it through build/windows/installer/make-installer.cmake,
# which fills in the build's values; VERSION and OUT_DIR may be given there
# too, so the same programs can be packaged as another version.
#
# 1. stage the files the portable zip holds (its install rules, stripped);
# 2. sign the programs when CERT and KEY are given;
# 3. makensis packaging/Vela.nsi (the installer and its uninstaller signed as
#    they are written);
# 4. the manifest, with the installer's hash, checked for its required fields.
foreach(required BINARY_DIR SOURCE_DIR OUT_DIR VERSION PUBLISHER MAKENSIS PYTHON DOWNLOAD_BASE)
    if(NOT ${required})
        message(FATAL_ERROR "MakeInstaller.cmake: ${required} is not set")
    endif()
endforeach()
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "VERSION must be MAJOR.MINOR.PATCH, not '${VERSION}'")
endif()
set(major ${CMAKE_MATCH_1})
set(minor ${CMAKE_MATCH_2})
set(signing OFF)
if(CERT AND KEY)
    set(signing ON)
endif()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}\n${out}")
    endif()
endfunction()

set(stage "${OUT_DIR}/stage-${VERSION}")
file(REMOVE_RECURSE "${stage}")
run("${CMAKE_COMMAND}" --install "${BINARY_DIR}" --prefix "${stage}" --strip)

# makensis runs this, with the file's path after it, on what it writes.
set(sign_command "\"${CMAKE_COMMAND}\" -DCERT=\"${CERT}\" -DKEY=\"${KEY}\"")
string(APPEND sign_command " -DOSSLSIGNCODE=\"${OSSLSIGNCODE}\"")
string(APPEND sign_command " -P \"${CMAKE_CURRENT_LIST_DIR}/SignFile.cmake\"")
file(GLOB programs "${stage}/*.exe" "${stage}/*.dll")
if(signing)
    foreach(program IN LISTS programs)
        run("${CMAKE_COMMAND}" -DCERT=${CERT} -DKEY=${KEY} -DOSSLSIGNCODE=${OSSLSIGNCODE}
            -P "${CMAKE_CURRENT_LIST_DIR}/SignFile.cmake" "${program}")
    endforeach()
endif()

# What the script installs and removes: the staged top-level files, so a
# hook library added to the build ships without touching the script. The
# example macros go apart, as files the user may have changed.
set(install_lines)
set(remove_lines)
set(size 0)
file(GLOB top_level LIST_DIRECTORIES false "${stage}/*")
list(SORT top_level)
foreach(path IN LISTS top_level)
    get_filename_component(name "${path}" NAME)
    string(APPEND install_lines "    File \"${path}\"\n")
    string(APPEND remove_lines "    Delete \"$INSTDIR\\${name}\"\n")
endforeach()
file(GLOB_RECURSE everything LIST_DIRECTORIES false "${stage}/*")
foreach(path IN LISTS everything)
    file(SIZE "${path}" bytes)
    math(EXPR size "${size} + ${bytes}")
endforeach()
math(EXPR size_kb "(${size} + 1023) / 1024")

set(installer "${OUT_DIR}/Vela-${VERSION}-setup.exe")
set(config "${OUT_DIR}/config-${VERSION}.nsh")
set(finalize "")
if(signing)
    set(finalize "!finalize '${sign_command} \"%1\"'\n!uninstfinalize '${sign_command} \"%1\"'\n")
endif()
file(WRITE "${config}" "\
!define VERSION ${VERSION}
!define VERSION_MAJOR ${major}
!define VERSION_MINOR ${minor}
!define PUBLISHER \"${PUBLISHER}\"
!define SOURCE \"${SOURCE_DIR}\"
!define OUTFILE \"${installer}\"
!define SIZE_KB ${size_kb}
!macro INSTALL_PROGRAM_FILES
${install_lines}!macroend
!macro REMOVE_PROGRAM_FILES
${remove_lines}!macroend
!macro INSTALL_EXAMPLE_MACROS
    File /r \"${stage}/ScriptsMacros\"
!macroend
${finalize}")
file(REMOVE "${installer}")
run("${MAKENSIS}" -V2 -NOCD "-DCONFIG=${config}" "${SOURCE_DIR}/packaging/Vela.nsi")

file(SHA256 "${installer}" sha256)
string(TOUPPER "${sha256}" INSTALLER_SHA256)
set(INSTALLER_URL "${DOWNLOAD_BASE}/Vela-${VERSION}-setup.exe")
set(manifest "${OUT_DIR}/Kestrel.Vela-${VERSION}.yaml")
configure_file("${SOURCE_DIR}/packaging/winget.yaml.in" "${manifest}" @ONLY)
run("${PYTHON}" "${SOURCE_DIR}/packaging/check-winget-manifest.py" "${manifest}")
message(STATUS "Installer: ${installer}")
message(STATUS "Manifest: ${manifest}")

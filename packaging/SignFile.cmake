# Signs one Windows program in place with osslsigncode (Authenticode, SHA-256):
#
#   cmake -DCERT=cert.pem -DKEY=key.pem [-DOSSLSIGNCODE=...] -P SignFile.cmake FILE
#
# The key's password, if it has one, comes from the environment
# (VELA_SIGN_PASSWORD), never from the command line or the build's cache.
# makensis calls this for the installer and its uninstaller as it writes them.
math(EXPR last "${CMAKE_ARGC} - 1")
set(file "${CMAKE_ARGV${last}}")
if(NOT CERT OR NOT KEY OR NOT EXISTS "${file}")
    message(FATAL_ERROR "usage: cmake -DCERT=... -DKEY=... -P SignFile.cmake FILE")
endif()
if(NOT OSSLSIGNCODE)
    set(OSSLSIGNCODE osslsigncode)
endif()
set(password)
if(DEFINED ENV{VELA_SIGN_PASSWORD})
    set(password -pass "$ENV{VELA_SIGN_PASSWORD}")
endif()
set(signed "${file}.signed")
file(REMOVE "${signed}")
execute_process(
    COMMAND "${OSSLSIGNCODE}" sign -certs "${CERT}" -key "${KEY}" ${password} -h sha256
            -n Vela -in "${file}" -out "${signed}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    file(REMOVE "${signed}")
    message(FATAL_ERROR "signing ${file} failed: ${output}")
endif()
file(RENAME "${signed}" "${file}")

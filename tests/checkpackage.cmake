# Builds the Debian package from the install step into OUTPUT, checks that it carries the program, its desktop
# files, every template, its manual page and Debian documents under the changelog's version, and runs lintian on
# it: an error or a warning fails, the tags of lower severity are printed.
file(REMOVE_RECURSE ${OUTPUT})
execute_process(COMMAND ${CPACK} --config ${CPACK_CONFIG} -G DEB -B ${OUTPUT}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}${errors}")
endif()
file(GLOB packages ${OUTPUT}/mixdesign_*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "cpack made ${count} packages: ${packages}")
endif()
message("${packages}")

execute_process(COMMAND dpkg-deb --contents ${packages} OUTPUT_VARIABLE contents COMMAND_ERROR_IS_FATAL ANY)
set(expected
    usr/bin/mixdesign
    usr/share/applications/mixdesign.desktop
    usr/share/icons/hicolor/scalable/apps/mixdesign.svg
    usr/share/icons/hicolor/256x256/apps/mixdesign.png
    usr/share/metainfo/io.github.zeb_mixdesign.metainfo.xml
    usr/share/doc/mixdesign/copyright
    usr/share/doc/mixdesign/changelog.Debian.gz
    usr/share/man/man1/mixdesign.1.gz
    usr/share/lintian/overrides/mixdesign)
file(GLOB templates RELATIVE ${SOURCE_DIR}/templates ${SOURCE_DIR}/templates/*.fods ${SOURCE_DIR}/templates/*.html)
foreach(template ${templates})
    string(REGEX REPLACE "\\.fods$" ".xls" template ${template})
    list(APPEND expected usr/share/mixdesign/templates/${template})
endforeach()
foreach(path ${expected})
    if(NOT contents MATCHES " \\./${path}\n")
        message(SEND_ERROR "the package lacks /${path}")
    endif()
endforeach()

file(STRINGS ${SOURCE_DIR}/packaging/changelog.Debian latest LIMIT_COUNT 1)
string(REGEX REPLACE "^mixdesign \\(([^()]+)\\).*" "\\1" changelogVersion "${latest}")
execute_process(COMMAND dpkg-deb --field ${packages} Version OUTPUT_VARIABLE version
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
if(NOT version STREQUAL changelogVersion)
    message(SEND_ERROR "the package is version ${version}, its changelog's latest entry ${changelogVersion}")
endif()

find_program(LINTIAN lintian)
if(NOT LINTIAN)
    message(FATAL_ERROR "lintian is missing (scripts/debian-deps.sh installs it)")
endif()
execute_process(COMMAND ${LINTIAN} --fail-on error,warning --display-info ${packages}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
message("lintian:\n${output}${errors}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lintian found errors or warnings (exit status ${status})")
endif()

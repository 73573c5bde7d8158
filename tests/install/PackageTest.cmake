# SPDX-License-Identifier: GPL-3.0-or-later
# cpack -G DEB makes one package that holds the installed layout under /usr and depends on the
# libraries the program links, the voices and the outside programs it starts.
include(${CMAKE_CURRENT_LIST_DIR}/InstalledFiles.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CPACK} -G DEB -B ${WORK_DIR} --config ${BUILD_DIR}/CPackConfig.cmake
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed (${status}): ${output}")
endif()
file(GLOB packages ${WORK_DIR}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "cpack made ${count} packages: ${packages}")
endif()

execute_process(COMMAND dpkg-deb -f ${packages} Depends OUTPUT_VARIABLE depends)
string(STRIP "${depends}" depends)
foreach(package espeak-ng-data libespeak-ng1 libqt6widgets6 libqt6svg6 libsndfile1 libsoxr0
                poppler-utils)
    if(NOT depends MATCHES "(^|, )${package}( |,|$)")
        message(FATAL_ERROR "the package does not depend on ${package}: ${depends}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb -c ${packages} OUTPUT_VARIABLE contents)
foreach(file ${installed_files})
    if(NOT contents MATCHES " \\./usr/${file}\n")
        message(FATAL_ERROR "the package does not hold /usr/${file}")
    endif()
endforeach()

# The licence travels in full, and Debian's tools can read the copyright file.
execute_process(COMMAND dpkg-deb -x ${packages} ${WORK_DIR}/unpacked RESULT_VARIABLE status)
file(READ ${WORK_DIR}/unpacked/usr/${DOC_DIR}/copyright copyright)
if(NOT copyright MATCHES "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
   OR NOT copyright MATCHES "\nFiles: \\*\nCopyright: [^\n]+\nLicense: GPL-3\\+\n")
    message(FATAL_ERROR "the copyright file is not in Debian's machine-readable form: ${copyright}")
endif()
file(READ ${WORK_DIR}/unpacked/usr/${DOC_DIR}/LICENSE licence)
if(NOT licence MATCHES "GNU GENERAL PUBLIC LICENSE\n +Version 3, 29 June 2007")
    message(FATAL_ERROR "LICENSE is not the GNU General Public License, version 3")
endif()

# SPDX-License-Identifier: GPL-3.0-or-later
# The program installed into a fresh prefix, with its desktop entry and AppStream data valid, then
# moved elsewhere, exports through the helper installed with it: the prefix holds no helper beside
# the program.
include(${CMAKE_CURRENT_LIST_DIR}/InstalledFiles.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(file ${installed_files})
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "${file} is not installed")
    endif()
endforeach()
if(EXISTS ${prefix}/${BIN_DIR}/lectorix-synth)
    message(FATAL_ERROR "the helper lies beside the installed program")
endif()

foreach(check "desktop-file-validate;${prefix}/${SHARE_DIR}/applications/${APP_ID}.desktop"
              "appstreamcli;validate;--no-net;${prefix}/${SHARE_DIR}/metainfo/${APP_ID}.metainfo.xml")
    execute_process(COMMAND ${check} RESULT_VARIABLE status OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${check} failed (${status}): ${output}")
    endif()
endforeach()

set(moved ${WORK_DIR}/moved)
file(RENAME ${prefix} ${moved})
file(WRITE ${WORK_DIR}/book.txt "A short book, read by the installed program.")
execute_process(COMMAND ${moved}/${BIN_DIR}/lectorix --export ${WORK_DIR}/book.txt ${WORK_DIR}/book.wav
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the installed program's export failed (${status}): ${errors}")
endif()
file(SIZE ${WORK_DIR}/book.wav bytes)
if(bytes LESS 32000)
    message(FATAL_ERROR "the installed program wrote ${bytes} bytes, less than a second of sound")
endif()

# The neural helper finds the speech libraries installed with it, wherever the prefix lies.
execute_process(COMMAND ldd ${moved}/${HELPER_DIR}/lectorix-neural OUTPUT_VARIABLE libraries)
foreach(library libsherpa-onnx-c-api.so libonnxruntime.so)
    if(NOT libraries MATCHES "${library} => ${moved}/${HELPER_DIR}/[./]*${LIBRARY_DIR}/${library}")
        message(FATAL_ERROR "lectorix-neural does not find ${library} in the prefix: ${libraries}")
    endif()
endforeach()

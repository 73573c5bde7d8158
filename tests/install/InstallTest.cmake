# The program installed into a fresh prefix, then moved elsewhere, exports through the helper
# installed with it: the prefix holds no helper beside the program, and nothing points back to the
# build tree.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(file bin/lectorix libexec/lectorix/lectorix-synth lib/lectorix/libKey.so
             share/lectorix/Language/English.ini)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "${file} is not installed")
    endif()
endforeach()
if(EXISTS ${prefix}/bin/lectorix-synth)
    message(FATAL_ERROR "the helper lies beside the installed program")
endif()

set(moved ${WORK_DIR}/moved)
file(RENAME ${prefix} ${moved})
file(WRITE ${WORK_DIR}/book.txt "A short book, read by the installed program.")
execute_process(COMMAND ${moved}/bin/lectorix --export ${WORK_DIR}/book.txt ${WORK_DIR}/book.wav
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the installed program's export failed (${status}): ${errors}")
endif()
file(SIZE ${WORK_DIR}/book.wav bytes)
if(bytes LESS 32000)
    message(FATAL_ERROR "the installed program wrote ${bytes} bytes, less than a second of sound")
endif()

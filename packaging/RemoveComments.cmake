# Run by CPack once the package's files are in place: the programs lose the compilers' notes in
# their .comment section, as Debian's own packaging strips them.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
if(NOT programs)
    message(FATAL_ERROR "no programs found under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin")
endif()
foreach(program IN LISTS programs)
    execute_process(COMMAND "${CPACK_VELMOR_OBJCOPY}" --remove-section=.comment "${program}"
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "objcopy could not remove .comment from ${program}")
    endif()
endforeach()

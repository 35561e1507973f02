# Run by CPack after it has staged the files and before it archives them:
# every file and folder gets the time SOURCE_DATE_EPOCH, where it is set, so
# that the zip and the installer, which both store file times, come out the
# same from the same sources.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(
        COMMAND find ${CPACK_TEMPORARY_INSTALL_DIRECTORY} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
        COMMAND_ERROR_IS_FATAL ANY)
endif()

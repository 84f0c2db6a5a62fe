# cmake -DXML=quarntamo-mime.xml -DUPDATE=update-mime-database -DWORK=dir -P check-mime-type.cmake
# Compiles the MIME type into a scratch database, as the system does on installation, and
# checks that it has no errors and that *.txw files get the type.
file(REMOVE_RECURSE ${WORK})
file(COPY ${XML} DESTINATION ${WORK}/mime/packages)
# The data directory is on the search path, or the tool adds a note that it is not.
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${WORK} ${UPDATE} ${WORK}/mime
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR errors)
    message(FATAL_ERROR "update-mime-database failed (${result}): ${errors}")
endif()
file(READ ${WORK}/mime/globs globs)
if(NOT globs MATCHES "\ntext/x-quarntamo:\\*\\.txw\n")
    message(FATAL_ERROR "*.txw does not map to text/x-quarntamo:\n${globs}")
endif()

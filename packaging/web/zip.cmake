# Zips the folder SITE into ZIP, its files in the order of their names (a
# directory's listing comes in an order of the file system's own). CMake's
# archive writer gives every file the time SOURCE_DATE_EPOCH holds, where
# it is set.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(SORT files)
list(JOIN files "\n" listing)
file(WRITE ${ZIP}.files "${listing}\n")
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip --files-from=${ZIP}.files
                WORKING_DIRECTORY ${SITE} COMMAND_ERROR_IS_FATAL ANY)

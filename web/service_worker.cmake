# Writes SITE/sw.js from TEMPLATE with the page generator (GENERATE, its
# command), which fills every generated file of the site: the worker keeps
# every file of the site under a name that changes with any of them.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(SORT files)
set(digest_input "")
foreach(file ${files})
    file(SHA256 ${SITE}/${file} sum)
    string(APPEND digest_input "${file} ${sum}\n")
endforeach()
string(SHA256 digest "${digest_input}")
string(SUBSTRING ${digest} 0 16 digest)
execute_process(COMMAND ${GENERATE} worker ${TEMPLATE} ${SITE}/sw.js ${IMPROVES_VERSION}-${digest} ${files}
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "the page generator could not write the worker")
endif()

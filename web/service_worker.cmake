# Writes SITE/sw.js from TEMPLATE: the worker keeps every file of the site
# under a name that changes with any of them.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(SORT files)
set(digest_input "")
set(SITE_FILES "'./'")
foreach(file ${files})
    file(SHA256 ${SITE}/${file} sum)
    string(APPEND digest_input "${file} ${sum}\n")
    string(APPEND SITE_FILES ", '${file}'")
endforeach()
string(SHA256 SITE_DIGEST "${digest_input}")
string(SUBSTRING ${SITE_DIGEST} 0 16 SITE_DIGEST)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)

# Writes OUT: the build's name, a digest of the page's script and the core,
# which the page asks for them by (?build=), so that a browser cannot mix
# the copies of two builds. Rewritten only when it changes.
set(build_input "")
foreach(file ${FILES})
    file(SHA256 ${file} sum)
    get_filename_component(name ${file} NAME)
    string(APPEND build_input "${name} ${sum}\n")
endforeach()
string(SHA256 build "${build_input}")
string(SUBSTRING ${build} 0 12 build)
file(CONFIGURE OUTPUT ${OUT} CONTENT "${build}")

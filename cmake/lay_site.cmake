# Lays the page (web/), the icons and the game's data into the site folder, and lists the
# data in files.txt (and packs it into data.pack) for the page to fetch. The page and the data
# are laid afresh, so that a file gone from the sources is gone from the site too.
set(source "${SRC}")
file(REMOVE_RECURSE "${SITE}/js" "${SITE}/data" "${SITE}/page.css" "${SITE}/icons/scalable.svg")
# The page's style and its first two scripts are written into the page itself (below): the
# start-up picture then waits for no other file before it is drawn.
file(COPY "${source}/web/js" DESTINATION "${SITE}" PATTERN "page.js" EXCLUDE PATTERN "startup.js" EXCLUDE)
file(READ "${source}/web/index.html" page)
foreach(part "page.css" "js/page.js" "js/startup.js")
  file(READ "${source}/web/${part}" text)
  if(part MATCHES "css$")
    set(tag "<link rel=\"stylesheet\" href=\"${part}\">")
    set(inline "<style>\n${text}</style>")
  else()
    set(tag "<script src=\"${part}\"></script>")
    set(inline "<script>\n${text}</script>")
  endif()
  string(FIND "${page}" "${tag}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "web/index.html no longer names ${part} as ${tag}")
  endif()
  string(REPLACE "${tag}" "${inline}" page "${page}")
endforeach()
file(WRITE "${SITE}/index.html" "${page}")
# The start-up picture the program carries, for the page to put up before the program has come.
file(COPY "${source}/src/app/resources/startup.png" DESTINATION "${SITE}")
file(COPY "${source}/desktop/icons/16.png" "${source}/desktop/icons/32.png" "${source}/desktop/icons/64.png"
     DESTINATION "${SITE}/icons")
# The data as the desktop build lays it beside its executable.
set(SRC "${source}/data")
set(DST "${SITE}/data")
include("${source}/cmake/lay_data.cmake")
file(GLOB_RECURSE files RELATIVE "${SITE}" "${SITE}/data/*")
list(SORT files)
# The list gives each file's size; data.pack holds, in the list's order, every file but the
# music (which the page streams from its own file): the page asks for it in one request rather
# than a hundred, and for each file on its own only when the pack cannot be had.
set(lines)
set(packed)
foreach(path IN LISTS files)
  file(SIZE "${SITE}/${path}" size)
  list(APPEND lines "${path}\t${size}")
  if(NOT path MATCHES "^data/music/")
    list(APPEND packed "${SITE}/${path}")
  endif()
endforeach()
execute_process(COMMAND "${CMAKE_COMMAND}" -E cat ${packed} OUTPUT_FILE "${SITE}/data.pack.tmp" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Cannot pack the data into ${SITE}/data.pack")
endif()
file(RENAME "${SITE}/data.pack.tmp" "${SITE}/data.pack")
list(JOIN lines "\n" list)
file(WRITE "${SITE}/files.txt.tmp" "${list}\n")
file(RENAME "${SITE}/files.txt.tmp" "${SITE}/files.txt")

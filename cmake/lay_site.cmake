# Lays the page (web/), the icons and the game's data into the site folder, and lists the
# data in files.txt for the page to fetch. The page and the data are laid afresh, so that a
# file gone from the sources is gone from the site too.
set(source "${SRC}")
file(REMOVE_RECURSE "${SITE}/js" "${SITE}/data")
file(COPY "${source}/web/index.html" "${source}/web/page.css" "${source}/web/js" DESTINATION "${SITE}")
# The start-up picture the program carries, for the page to put up before the program has come.
file(COPY "${source}/src/app/resources/startup.png" DESTINATION "${SITE}")
file(COPY "${source}/desktop/icons/16.png" "${source}/desktop/icons/32.png" "${source}/desktop/icons/64.png"
          "${source}/desktop/icons/scalable.svg" DESTINATION "${SITE}/icons")
# The data as the desktop build lays it beside its executable.
set(SRC "${source}/data")
set(DST "${SITE}/data")
include("${source}/cmake/lay_data.cmake")
file(GLOB_RECURSE files RELATIVE "${SITE}" "${SITE}/data/*")
list(SORT files)
list(JOIN files "\n" list)
file(WRITE "${SITE}/files.txt.tmp" "${list}\n")
file(RENAME "${SITE}/files.txt.tmp" "${SITE}/files.txt")

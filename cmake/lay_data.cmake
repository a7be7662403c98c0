# Copies data/ beside the executable. The settings file is laid only on the first
# build: afterwards it belongs to the player and a rebuild must not reset it.
foreach(dir levels graphics sound music help)
  if(EXISTS "${SRC}/${dir}")
    file(COPY "${SRC}/${dir}" DESTINATION "${DST}")
  endif()
endforeach()
if(NOT EXISTS "${DST}/options.txt" AND EXISTS "${SRC}/options.txt")
  file(COPY "${SRC}/options.txt" DESTINATION "${DST}")
endif()

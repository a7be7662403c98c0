# The browser build (make web): the program compiled to WebAssembly by Debian's emscripten,
# and build-web/site, a folder any static web server can serve: index.html with the page's
# scripts, the program's script and WebAssembly, the font, the icons and the game's data.
set(TK_SITE ${CMAKE_BINARY_DIR}/site)

# The browser's program folder always holds its data, so the install's layout never counts;
# the reader of paths still names it.
target_compile_definitions(tk_app PRIVATE TK_INSTALLED_DATA="../share/tramolkulap")

# The game, on the page's platform. The page loads the program once its data and font are in;
# the program's passes are called by the page (tk_pass), never by a loop of its own.
set(TK_PAGE_CALLS ${CMAKE_SOURCE_DIR}/src/platform/web_page.js)
function(tk_page_program target folder)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${folder} OUTPUT_NAME tramolkulap
                        SUFFIX .js LINK_DEPENDS ${TK_PAGE_CALLS})
  target_link_options(${target} PRIVATE
    "SHELL:--js-library ${TK_PAGE_CALLS}"
    -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sFORCE_FILESYSTEM=1
    -sEXPORTED_FUNCTIONS=_main,_tk_pass -sEXPORTED_RUNTIME_METHODS=FS)
endfunction()

add_executable(tramolkulap src/app/web_main.cpp)
target_link_libraries(tramolkulap PRIVATE tk_app)
tk_page_program(tramolkulap ${TK_SITE})

# The platform's contract run inside the page (tests/web/contract_in_page.cpp), on GoogleTest's
# sources as Debian ships them (libgtest-dev); the page's tests serve it in the game's place.
set(TK_GTEST_SOURCE /usr/src/googletest/googletest CACHE PATH "GoogleTest's sources (libgtest-dev)")
if(EXISTS ${TK_GTEST_SOURCE}/src/gtest-all.cc)
  add_library(tk_page_gtest STATIC ${TK_GTEST_SOURCE}/src/gtest-all.cc)
  target_include_directories(tk_page_gtest SYSTEM PUBLIC ${TK_GTEST_SOURCE}/include PRIVATE ${TK_GTEST_SOURCE})
  add_executable(tk_page_contract tests/web/contract_in_page.cpp)
  target_include_directories(tk_page_contract PRIVATE tests)
  target_link_libraries(tk_page_contract PRIVATE tk_platform tk_page_gtest)
  tk_page_program(tk_page_contract ${CMAKE_BINARY_DIR}/contract)
endif()

# The font the desktop's layout is made for, shipped with the page in the browsers' own
# compressed form.
find_program(TK_WOFF2_COMPRESS woff2_compress REQUIRED)
set(TK_FONT_FOLDER /usr/share/fonts/truetype/liberation2 CACHE PATH "The folder of Liberation Sans (fonts-liberation2)")
set(TK_FONTS)
foreach(face Regular Bold)
  set(ttf ${CMAKE_BINARY_DIR}/fonts/LiberationSans-${face}.ttf)
  set(woff2 ${TK_SITE}/fonts/LiberationSans-${face}.woff2)
  add_custom_command(OUTPUT ${woff2}
    COMMAND ${CMAKE_COMMAND} -E copy ${TK_FONT_FOLDER}/LiberationSans-${face}.ttf ${ttf}
    COMMAND ${TK_WOFF2_COMPRESS} ${ttf} > /dev/null
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/fonts/LiberationSans-${face}.woff2 ${woff2}
    DEPENDS ${TK_FONT_FOLDER}/LiberationSans-${face}.ttf
    COMMENT "Compressing Liberation Sans ${face} for the page")
  list(APPEND TK_FONTS ${woff2})
endforeach()

# The page, the icons, the data and the list of the data; laid again on every build.
add_custom_target(tk_site ALL
  COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR} -DSITE=${TK_SITE} -P ${CMAKE_SOURCE_DIR}/cmake/lay_site.cmake
  DEPENDS ${TK_FONTS}
  COMMENT "Laying the page and its data into ${TK_SITE}")

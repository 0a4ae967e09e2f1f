# Every header of the project is included by its subsystem's folder: "textex/TextEx.h",
# "settings/CSettings.h", and for the main window's parts under app/, "search/RegExp.h".
add_library(sifta_headers INTERFACE)
target_include_directories(sifta_headers INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/app)

# Warnings for the project's own targets only, never for third-party headers.
function(sifta_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -pedantic)
endfunction()

# A Qt Test executable registered with CTest. Widget tests run on the offscreen platform,
# and every test gets its own XDG folders so that nothing touches the real user's settings.
function(sifta_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBRARIES})
  sifta_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set(home "${CMAKE_BINARY_DIR}/test-home/${name}")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/.config;XDG_DATA_HOME=${home}/.local/share;XDG_CACHE_HOME=${home}/.cache;XDG_STATE_HOME=${home}/.local/state")
endfunction()

# Every header is included by its library's folder name ("textex/TextEx.h", "regex/RegExp.h").
# A library's include root holds a single link named for its folder, so a target reaches the
# headers of the libraries it links and nothing else.
function(sifta_include_folder target name)
  set(root "${CMAKE_BINARY_DIR}/include/${target}")
  if(NOT EXISTS "${root}/${name}")
    file(MAKE_DIRECTORY "${root}")
    file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${name}" SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${root}")
  else()
    target_include_directories(${target} PUBLIC "${root}")
  endif()
endfunction()

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

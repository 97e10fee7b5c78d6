# Windows-side tests run under Wine. One throwaway prefix and one virtual
# display serve the whole test run (a new prefix costs about ten seconds);
# they are made by the wine_setup fixture and torn down by wine_cleanup.
set(QV_WINE_ROOT ${CMAKE_BINARY_DIR}/wine-run)
set(QV_WINE_SCRIPTS ${CMAKE_SOURCE_DIR}/tests/win)

add_test(NAME wine_setup COMMAND ${QV_WINE_SCRIPTS}/wine-setup.sh)
add_test(NAME wine_cleanup COMMAND ${QV_WINE_SCRIPTS}/wine-cleanup.sh)
set_tests_properties(wine_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 180
  ENVIRONMENT "QV_WINE_ROOT=${QV_WINE_ROOT}")
set_tests_properties(wine_cleanup PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60
  ENVIRONMENT "QV_WINE_ROOT=${QV_WINE_ROOT}")

# qv_add_wine_test(<target> [ARGS ...] [LOCKS ...])
# Registers one CTest test that runs the whole program under Wine. Tests that
# show windows, boxes or take the single-instance mutex share the "desktop"
# lock, since they would see each other's windows.
function(qv_add_wine_test target)
  cmake_parse_arguments(ARG "" "" "ARGS;LOCKS" ${ARGN})
  add_test(NAME ${target} COMMAND ${target} ${ARG_ARGS})
  set_tests_properties(${target} PROPERTIES
    FIXTURES_REQUIRED wine
    TIMEOUT 900
    ENVIRONMENT "QV_WINE_ROOT=${QV_WINE_ROOT}")
  if(ARG_LOCKS)
    set_tests_properties(${target} PROPERTIES RESOURCE_LOCK "${ARG_LOCKS}")
  endif()
endfunction()

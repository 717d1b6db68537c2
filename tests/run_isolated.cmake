# Runs one test executable in folders of this run alone: HOME, the XDG
# folders, TMPDIR and the working folder lie in a private folder made afresh
# (mode 0700, in the caller's TMPDIR or /tmp). Nothing then depends on where
# the build tree lies, on the modes of the folders above it, or on another run
# of the same test at the same time.
#
# With -DOTHER_USER=ON the test also gets ZOL_TEST_OPEN_DIR: a folder under
# /tmp that every user may pass through (mode 0711), for cases that act as
# another user, who cannot enter the private folder.
#
# The test runs on a session bus of its own (with_session_bus.sh), ended with
# it. Both folders are removed afterwards. Every process of the run carries
# ZOL_TEST_RUN in its environment; one still running once the test has ended
# is ended here and fails the test: a test leaves nothing behind.
function(make_temp_dir out)
  execute_process(COMMAND mktemp -d ${ARGN} OUTPUT_VARIABLE d RESULT_VARIABLE rc
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0 OR NOT IS_DIRECTORY "${d}")
    message(FATAL_ERROR "${TEST_NAME}: cannot make a temporary folder (mktemp -d ${ARGN}): ${rc}")
  endif()
  set(${out} "${d}" PARENT_SCOPE)
endfunction()

make_temp_dir(dir -t "zol-${TEST_NAME}.XXXXXXXX")
file(MAKE_DIRECTORY ${dir}/home ${dir}/config ${dir}/data ${dir}/cache ${dir}/runtime ${dir}/tmp)
file(CHMOD ${dir}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ENV{HOME} ${dir}/home)
set(ENV{XDG_CONFIG_HOME} ${dir}/config)
set(ENV{XDG_DATA_HOME} ${dir}/data)
set(ENV{XDG_CACHE_HOME} ${dir}/cache)
set(ENV{XDG_RUNTIME_DIR} ${dir}/runtime)
set(ENV{TMPDIR} ${dir}/tmp)
set(ENV{ZOL_TEST_RUN} ${dir})
set(open "")
if(OTHER_USER)
  make_temp_dir(open -p /tmp "zol-${TEST_NAME}-open.XXXXXXXX")
  file(CHMOD ${open} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
  set(ENV{ZOL_TEST_OPEN_DIR} ${open})
endif()

execute_process(COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/with_session_bus.sh ${CMAKE_CURRENT_LIST_DIR}/session-bus.conf
                        ${TEST_EXE}
                RESULT_VARIABLE rc WORKING_DIRECTORY ${dir})

# The scan must not find itself: it runs without the mark.
execute_process(COMMAND env -u ZOL_TEST_RUN sh ${CMAKE_CURRENT_LIST_DIR}/left_running.sh ${dir}
                RESULT_VARIABLE left)
file(REMOVE_RECURSE ${dir})
if(open)
  file(REMOVE_RECURSE ${open})
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${TEST_NAME} failed: ${rc}")
endif()
if(NOT left EQUAL 0)
  message(FATAL_ERROR "${TEST_NAME} left processes running")
endif()

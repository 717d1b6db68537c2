# The summary and configuration-errors forms, their rules, and the Process
# command of the main form.
set(process_forms_env ${CMAKE_CURRENT_LIST_DIR}/ProcessFormsEnv.h ${CMAKE_CURRENT_LIST_DIR}/SummarySample.h
  ${CMAKE_SOURCE_DIR}/tests/engine/PSSample.h)
zol_add_test(tst_process_forms_rules SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_process_forms_rules.cpp
  LIBS zol_forms_rules)
foreach(unit summary cfgerr)
  zol_add_test(tst_${unit}_form SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_${unit}_form.cpp ${process_forms_env}
    LIBS zol_forms)
  target_include_directories(tst_${unit}_form PRIVATE ${CMAKE_CURRENT_LIST_DIR}
    ${CMAKE_SOURCE_DIR}/tests/services/forms ${CMAKE_SOURCE_DIR}/tests/engine)
endforeach()

# Renders the two forms to PNG for a look: process_forms_gallery <folder>.
add_executable(process_forms_gallery ${CMAKE_CURRENT_LIST_DIR}/process_forms_gallery.cpp ${process_forms_env})
target_link_libraries(process_forms_gallery PRIVATE zol_forms)
target_include_directories(process_forms_gallery PRIVATE ${CMAKE_CURRENT_LIST_DIR}
  ${CMAKE_SOURCE_DIR}/tests/services/forms ${CMAKE_SOURCE_DIR}/tests/engine)
set_target_properties(process_forms_gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)

# The Process command and the error navigation on the main form.
zol_add_test(tst_main_process SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_main_process.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h LIBS zol_forms)
zol_add_test(tst_main_process_load SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_main_process_load.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h LIBS zol_forms zol_excel_fake TIMEOUT 600)

# The whole road of the Process button against a private headless LibreOffice,
# from the program's start-up to the reopened Output File.
if(TARGET zol_lo_fixtures AND TARGET zol_startup)
  zol_add_test(tst_process_e2e SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_process_e2e.cpp
    LIBS zol_startup zol_forms zol_lo_fixtures TIMEOUT 900 LABELS office)
  target_include_directories(tst_process_e2e PRIVATE ${CMAKE_SOURCE_DIR}/tests/services/forms)
endif()

# The summary form after a run of the program's sample on the office, to PNG:
# process_sample_gallery <folder>.
if(TARGET zol_excel_lo AND TARGET zol_startup)
  add_executable(process_sample_gallery ${CMAKE_CURRENT_LIST_DIR}/process_sample_gallery.cpp)
  target_link_libraries(process_sample_gallery PRIVATE zol_startup zol_forms)
  target_include_directories(process_sample_gallery PRIVATE ${CMAKE_SOURCE_DIR}/tests/services/forms)
  set_target_properties(process_sample_gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
endif()

# Maximise and restore under a real window manager (private Xvfb with openbox).
zol_add_test(tst_wm_restore SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wm_restore.cpp ${process_forms_env}
  ${CMAKE_SOURCE_DIR}/tests/WmDisplay.h LIBS zol_forms zol_wm_display)
target_include_directories(tst_wm_restore PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR}/tests
  ${CMAKE_SOURCE_DIR}/tests/services/forms ${CMAKE_SOURCE_DIR}/tests/engine)

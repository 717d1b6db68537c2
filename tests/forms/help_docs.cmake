# The Help menu's documents: built, beside the executable, readable, titled.
if(TARGET zol_docs)
  zol_add_test(tst_help_docs SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_help_docs.cpp LIBS zol_services TIMEOUT 120)
  add_dependencies(tst_help_docs zol_docs)
endif()

# What the Help documents quote, against the text table.
zol_add_test(tst_help_texts SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_help_texts.cpp LIBS zol_services)

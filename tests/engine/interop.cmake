# The Output File and the templates in a strict reader (openpyxl, Debian's
# python3-openpyxl, beside the system's own python3), and odd input, against
# a private headless LibreOffice.
if(TARGET zol_excel_lo)
  # The system interpreter, which the Debian package serves, before any other.
  find_program(ZOL_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
  find_program(ZOL_PYTHON3 NAMES python3)
  # Gnumeric's converter (Debian's gnumeric), another reader of the files.
  find_program(ZOL_SSCONVERT ssconvert)
  zol_add_test(tst_process_interop SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_process_interop.cpp
    LIBS zol_process_fixture zol_excel_lo TIMEOUT 900 LABELS office
    ENV "ZOL_PYTHON3=${ZOL_PYTHON3}" "ZOL_STRICT_READER=${CMAKE_CURRENT_LIST_DIR}/strict_reader.py"
        "ZOL_SSCONVERT=${ZOL_SSCONVERT}")
  target_compile_definitions(tst_process_interop PRIVATE ZOL_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()

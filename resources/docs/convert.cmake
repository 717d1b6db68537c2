# Turns one HTML document into a PDF with a headless office.
#   SOFFICE  the office program   SRC  the HTML file
#   OUT_DIR  where the PDF goes   PROFILE  a private profile folder
get_filename_component(name ${SRC} NAME_WE)
set(pdf ${OUT_DIR}/${name}.pdf)
file(REMOVE ${pdf})
file(MAKE_DIRECTORY ${OUT_DIR} ${PROFILE})
execute_process(
  COMMAND ${SOFFICE} -env:UserInstallation=file://${PROFILE} --headless --norestore --nologo
          "--infilter=HTML (StarWriter)" --convert-to pdf:writer_pdf_Export --outdir ${OUT_DIR} ${SRC}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
  TIMEOUT 300)
# The office reports some failures only by leaving no file behind.
if(NOT rc EQUAL 0 OR NOT EXISTS ${pdf})
  message(FATAL_ERROR "Could not build ${pdf} (${rc}):\n${out}\n${err}")
endif()

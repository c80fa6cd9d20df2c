# The interface's translations. `cmake --build BUILD --target update_translations` (lupdate) brings the
# .ts files in data/translations up to date with the program's texts; every build turns them
# into .qm files (lrelease) beside the program, in translations/, where a portable copy keeps them too,
# and cmake --install puts them in share/narrix/translations.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(NARRIX_TS_FILES ${PROJECT_SOURCE_DIR}/data/translations/narrix_de.ts)
# Every area's texts, the logic libraries' too (the schedule list's column titles); no source
# locations in the .ts, so that a moved line elsewhere leaves the translations untouched.
file(GLOB_RECURSE NARRIX_TRANSLATED_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp
     ${PROJECT_SOURCE_DIR}/src/*.h)
qt_add_lupdate(narrix_gui TS_FILES ${NARRIX_TS_FILES} SOURCES ${NARRIX_TRANSLATED_SOURCES}
               OPTIONS -locations none)

set(NARRIX_QM_FOLDER ${CMAKE_BINARY_DIR}/src/app/translations)
set_source_files_properties(${NARRIX_TS_FILES} PROPERTIES OUTPUT_LOCATION ${NARRIX_QM_FOLDER})
qt_add_lrelease(narrix TS_FILES ${NARRIX_TS_FILES} QM_FILES_OUTPUT_VARIABLE NARRIX_QM_FILES OPTIONS -silent)
install(FILES ${NARRIX_QM_FILES} DESTINATION ${NARRIX_INSTALL_PKGDATADIR}/translations)

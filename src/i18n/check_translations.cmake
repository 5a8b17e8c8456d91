# Fails when a translation is not up to date with the sources: a text of the
# program with no finished translation, or a translation of a text the
# program no longer has. Each .ts file is copied and brought up to date with
# lupdate, as a translator would, and the copy must have nothing unfinished,
# vanished or obsolete. Then the desktop entry's and the metainfo's texts:
# every .po file must translate every text of the templates, none of them
# marked fuzzy.
#   cmake -DLUPDATE=... -DTS_FILES=a;b -DSOURCES=x;y -DPO_DIR=... -DTEMPLATES=t;u
#         -DWORK=dir -DSTAMP=file -P check_translations.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(problems "")
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name "${ts}" NAME)
  file(COPY_FILE "${ts}" "${WORK}/${name}")
  execute_process(COMMAND "${LUPDATE}" -silent -locations none ${SOURCES} -ts "${WORK}/${name}"
                  RESULT_VARIABLE failed)
  file(STRINGS "${WORK}/${name}" stale REGEX "type=\"(unfinished|vanished|obsolete)\"")
  list(LENGTH stale count)
  if(failed OR count GREATER 0)
    string(APPEND problems "\n  ${name}: ${count} texts unfinished or no longer in the program")
  endif()
endforeach()

# The texts of the templates, then each language's coverage of them.
execute_process(COMMAND xgettext --output=- ${TEMPLATES} OUTPUT_FILE "${WORK}/ctallix.pot"
                RESULT_VARIABLE failed)
if(failed)
  string(APPEND problems "\n  xgettext could not read ${TEMPLATES}")
endif()
file(GLOB po_files "${PO_DIR}/*.po")
foreach(po IN LISTS po_files)
  get_filename_component(name "${po}" NAME)
  execute_process(COMMAND msgmerge --quiet --no-fuzzy-matching --output-file=- "${po}"
                          "${WORK}/ctallix.pot" OUTPUT_FILE "${WORK}/${name}")
  execute_process(COMMAND msgattrib --untranslated --no-obsolete "${WORK}/${name}"
                  OUTPUT_VARIABLE untranslated)
  execute_process(COMMAND msgattrib --only-obsolete "${WORK}/${name}"
                  OUTPUT_VARIABLE obsolete)
  # msgfmt leaves out an entry marked fuzzy: the language would lose it.
  execute_process(COMMAND msgattrib --only-fuzzy --no-obsolete --clear-fuzzy "${WORK}/${name}"
                  OUTPUT_VARIABLE fuzzy)
  string(REGEX REPLACE "^msgid \"\"\nmsgstr \"\"\n(\"[^\n]*\n)*\n?" "" fuzzy "${fuzzy}")
  if(NOT untranslated STREQUAL "" OR NOT obsolete STREQUAL "" OR NOT fuzzy STREQUAL "")
    string(APPEND problems "\n  ${name}: texts untranslated, marked fuzzy, or no longer in the menu entry or metainfo")
  endif()
endforeach()

if(NOT problems STREQUAL "")
  message(FATAL_ERROR "translations not up to date (see README, Languages):${problems}")
endif()
file(TOUCH "${STAMP}")

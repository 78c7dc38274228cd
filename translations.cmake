# Qt Linguist translations. The built-in texts are Portuguese; every <name>_<language>.ts
# lies beside the code it covers, is built to a .qm by lrelease and installed.
# `cmake --build <build> --target update_translations` runs lupdate over the folders each
# file covers: new texts come in unfinished, texts gone from the code go away.
#
# add_translations(<target> TS_FILES <.ts...> SCAN <folders, from the top of the tree...>
#                  OUTPUT_DIR <build-tree folder> DESTINATION <install folder>)
# <target> is built after its .qm files. Every .ts is listed in the global property
# PKG_TRANSLATION_FILES, which the tests check for complete translations.
function(add_translations target)
  cmake_parse_arguments(T "" "OUTPUT_DIR;DESTINATION" "TS_FILES;SCAN" ${ARGN})
  set(ts_files)
  foreach(ts ${T_TS_FILES})
    get_filename_component(ts ${ts} ABSOLUTE)
    list(APPEND ts_files ${ts})
  endforeach()
  set_source_files_properties(${ts_files} PROPERTIES OUTPUT_LOCATION ${T_OUTPUT_DIR})
  qt_add_lrelease(${target} TS_FILES ${ts_files} QM_FILES_OUTPUT_VARIABLE qm_files)
  install(FILES ${qm_files} DESTINATION ${T_DESTINATION})
  set_property(GLOBAL APPEND PROPERTY PKG_TRANSLATION_FILES ${ts_files})

  # Each scanned folder is also an include path, so that a file in a subfolder finds the
  # declaration of its translation context (Q_DECLARE_TR_FUNCTIONS) in a header above.
  set(include_options)
  foreach(folder ${T_SCAN})
    list(APPEND include_options -I ${folder})
  endforeach()
  add_custom_target(${target}_lupdate
    COMMAND Qt6::lupdate ${T_SCAN} ${include_options} -no-obsolete -locations none -ts ${ts_files}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    VERBATIM)
  if(NOT TARGET update_translations)
    add_custom_target(update_translations)
  endif()
  add_dependencies(update_translations ${target}_lupdate)
endfunction()

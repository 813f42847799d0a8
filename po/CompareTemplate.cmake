# Fails when the kept template (KEPT) differs from the one the sources yield (FRESH),
# apart from the date it was made.
foreach(which KEPT FRESH)
  file(READ ${${which}} text)
  string(REGEX REPLACE "\"POT-Creation-Date: [^\"]*\"\n" "" text "${text}")
  set(${which}_text "${text}")
endforeach()
if(NOT KEPT_text STREQUAL FRESH_text)
  message(FATAL_ERROR "po/vexadra.pot is out of date with the sources: run "
                      "'cmake --build <build dir> --target vexadra_pot', then translate what changed.")
endif()

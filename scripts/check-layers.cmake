# Fails the build when a logic file (directly in an area's folder) reaches for the desktop: a
# front/ header, Qt's widget, GUI or bus modules, or SDL. Their headers without the module's
# folder are not on the logic's path anyway; these are the ways around that.
#   cmake -DFILES="a.cpp;a.h;..." -DSTAMP=stamp -P check-layers.cmake
set(forbidden "#[ \t]*include[ \t]*[<\"]([A-Za-z_]+/front/|QtWidgets/|QtGui/|QtDBus/|SDL)")
set(offences "")
foreach(file ${FILES})
  file(STRINGS "${file}" lines REGEX "${forbidden}")
  foreach(line ${lines})
    string(APPEND offences "\n  ${file}: ${line}")
  endforeach()
endforeach()
if(offences)
  message(FATAL_ERROR "Logic files may use QtCore alone; move these files under their area's front/ "
                      "or drop the include:${offences}")
endif()
file(TOUCH "${STAMP}")

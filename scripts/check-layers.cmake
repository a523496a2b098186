# Fails the build when a logic file (directly in an area's folder) reaches for the desktop: a
# front/ header, Qt's widget, GUI or bus modules, or SDL. Their headers without the module's
# folder are not on the logic's path anyway; these are the ways around that. Fails it too when
# any file includes one of Qt's private headers: their layout changes with every Qt release, and
# the installed program, which depends on a Qt of at least its version, would break at an update.
# Its platform interface (qpa/) is let into one file only, the one that needs a Wayland surface;
# for it the package depends on the very Qt release it was built with.
#   cmake -DFILES="a.cpp;a.h;..." -DFRONT_FILES="..." -DSTAMP=stamp -P check-layers.cmake
set(desktop "#[ \t]*include[ \t]*[<\"]([A-Za-z_]+/front/|QtWidgets/|QtGui/|QtDBus/|SDL)")
set(private "#[ \t]*include[ \t]*[<\"]([A-Za-z]+/private/|[A-Za-z_/]+_p\\.h[>\"]|(QtGui/)?qpa/)")
set(platform_interface_user "toolkit/front/ModalOnWayland.cpp")
set(offences "")
function(find_offences pattern files)
  foreach(file ${files})
    file(STRINGS "${file}" lines REGEX "${pattern}")
    foreach(line ${lines})
      string(APPEND offences "\n  ${file}: ${line}")
    endforeach()
  endforeach()
  set(offences "${offences}" PARENT_SCOPE)
endfunction()
find_offences("${desktop}" "${FILES}")
if(offences)
  message(FATAL_ERROR "Logic files may use QtCore alone; move these files under their area's front/ "
                      "or drop the include:${offences}")
endif()
set(checked "${FILES};${FRONT_FILES}")
list(FILTER checked EXCLUDE REGEX "/${platform_interface_user}$")
find_offences("${private}" "${checked}")
if(offences)
  message(FATAL_ERROR "Qt's private headers bind the program to one Qt release; use its public API:${offences}")
endif()
file(TOUCH "${STAMP}")

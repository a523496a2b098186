# Fails the build when a logic file (directly in an area's folder) reaches for the desktop: a
# front/ header, Qt's widget, GUI or bus modules, or SDL. Their headers without the module's
# folder are not on the logic's path anyway; these are the ways around that. Fails it too when
# any file includes one of Qt's private headers: their layout changes with every Qt release, and
# the installed program, which depends on a Qt of at least its version, would break at an update.
# Its platform interface (qpa/) is let into one file only, the one that needs a Wayland surface;
# for it the package depends on the very Qt release it was built with. Fails it last when a file
# includes from an area above its own: app/ uses alarm/, which uses tray/, sound/ and info/, which
# use toolkit/; nothing includes back up, so no circle runs between areas.
#   cmake -DTOP=source -DFILES="a.cpp;a.h;..." -DFRONT_FILES="..." -DSTAMP=stamp -P check-layers.cmake
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
set(below_toolkit "")
set(below_tray "toolkit")
set(below_sound "toolkit")
set(below_info "toolkit")
set(below_alarm "tray|sound|info|toolkit")
set(below_app "alarm|tray|sound|info|toolkit")
foreach(file ${FILES} ${FRONT_FILES})
  string(REGEX MATCH "^${TOP}/([a-z]+)/" area_path "${file}")
  set(area "${CMAKE_MATCH_1}")
  set(allowed "${area}")
  if(below_${area})
    string(APPEND allowed "|${below_${area}}")
  endif()
  file(STRINGS "${file}" lines REGEX "#[ \t]*include[ \t]*\"(app|alarm|tray|sound|info|toolkit)/")
  foreach(line ${lines})
    if(NOT line MATCHES "include[ \t]*\"(${allowed})/")
      string(APPEND offences "\n  ${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(offences)
  message(FATAL_ERROR "An area includes from one above it (app, alarm, then tray, sound and info, then "
                      "toolkit); move the code to the area it belongs to:${offences}")
endif()
file(TOUCH "${STAMP}")

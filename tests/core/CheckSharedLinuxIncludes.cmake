# Fails when the part of the Linux platform that every session shares includes what
# belongs to one session: xcb, Xlib, GLX, EGL, libwayland or a header of the X11 or
# Wayland folders. The Wayland show links it without an X server, and the X11 show
# without a compositor. The desktop's services (desktop/) speak D-Bus and read files only.
# Run with -DPLATFORM_DIR=<src/platform>.
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE shared_files ${PLATFORM_DIR}/linux/*.h ${PLATFORM_DIR}/linux/*.cpp ${PLATFORM_DIR}/desktop/*.h
     ${PLATFORM_DIR}/desktop/*.cpp)
if(NOT shared_files)
  message(FATAL_ERROR "no sources found under ${PLATFORM_DIR}/linux")
endif()
file(GLOB_RECURSE session_files ${PLATFORM_DIR}/x11/*.h ${PLATFORM_DIR}/wayland/*.h)
set(session_headers)
foreach(file ${session_files})
  get_filename_component(name ${file} NAME)
  list(APPEND session_headers ${name})
endforeach()

set(faults)
foreach(file ${shared_files})
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    if(line MATCHES "[<\"]([^>\"]+)[>\"]")
      set(header ${CMAKE_MATCH_1})
      get_filename_component(name ${header} NAME)
      if(header MATCHES "^(xcb|X11|EGL)/" OR header MATCHES "^GL/glx" OR header MATCHES "^wayland-" OR
         header MATCHES "-client-protocol\\.h$" OR name IN_LIST session_headers)
        list(APPEND faults "${file}: ${header}")
      endif()
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "The shared Linux platform includes what belongs to one session:\n  ${text}")
endif()
list(LENGTH shared_files count)
message(STATUS "${count} shared Linux platform sources include nothing of X11 or Wayland")

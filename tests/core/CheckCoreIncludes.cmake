# Fails when a core source includes anything but the C++ standard library and other
# core headers: no Qt, SDL, xcb, POSIX or Windows header may reach the core, or it
# would stop building for one of the platforms.
# Run with -DSOURCE_DIR=<src> -DCORE_DIRS=<folders under src, comma-separated>.
cmake_minimum_required(VERSION 3.25)
set(standard_headers
  algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv chrono cinttypes
  climits clocale cmath codecvt compare complex concepts condition_variable coroutine csetjmp csignal cstdarg
  cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype deque exception execution expected
  filesystem format forward_list fstream functional future initializer_list iomanip ios iosfwd iostream
  istream iterator latch limits list locale map memory memory_resource mutex new numbers numeric optional
  ostream queue random ranges ratio regex scoped_allocator semaphore set shared_mutex source_location span
  sstream stack stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
  type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector version)

string(REPLACE "," ";" CORE_DIRS "${CORE_DIRS}")
set(core_files)
set(core_headers)
foreach(dir ${CORE_DIRS})
  file(GLOB files ${SOURCE_DIR}/${dir}/*.h ${SOURCE_DIR}/${dir}/*.cpp)
  list(APPEND core_files ${files})
  foreach(file ${files})
    get_filename_component(name ${file} NAME)
    list(APPEND core_headers ${name})
  endforeach()
endforeach()
if(NOT core_files)
  message(FATAL_ERROR "no core sources found under ${SOURCE_DIR}")
endif()

set(faults)
foreach(file ${core_files})
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    if(line MATCHES "<([^>]+)>")
      if(NOT CMAKE_MATCH_1 IN_LIST standard_headers)
        list(APPEND faults "${file}: <${CMAKE_MATCH_1}>")
      endif()
    elseif(line MATCHES "\"([^\"]+)\"")
      if(NOT CMAKE_MATCH_1 IN_LIST core_headers)
        list(APPEND faults "${file}: \"${CMAKE_MATCH_1}\" is no core header")
      endif()
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Core sources include what only a platform may:\n  ${text}")
endif()
list(LENGTH core_files count)
message(STATUS "${count} core sources include only the standard library and the core")

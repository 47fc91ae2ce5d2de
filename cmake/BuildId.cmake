# Run as a script at every build: writes BuildId.h with a digest of everything that decides how the game
# plays (its sources and build files). A recording names the build it was made with and only the same
# build replays it, so the digest must change whenever the program may. The header is rewritten only when
# the digest changes, so an unchanged tree rebuilds nothing.
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/* ${SOURCE_DIR}/cmake/*)
list(APPEND files CMakeLists.txt)
list(SORT files)
set(listing "")
foreach(f IN LISTS files)
  file(SHA256 ${SOURCE_DIR}/${f} digest)
  string(APPEND listing "${f} ${digest}\n")
endforeach()
string(SHA256 digest "${listing}")
string(SUBSTRING ${digest} 0 12 id)
set(content "#pragma once\n#define MASHVOLT_BUILD_ID \"${id}\"\n")
set(old "")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL content)
  file(WRITE ${OUTPUT} "${content}")
endif()

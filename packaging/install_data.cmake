# Run by `cmake --install` (and so by CPack): writes the game's data into
# <prefix>/share/tunewander and the desktop icons into the hicolor theme.
# Variables set by the caller: TW_ASSETGEN, TW_DEMOGEN, TW_ICONGEN, TW_DATADIR
# (relative to the prefix), TW_BUILD_DATA (the build's data folder).
# The build's data folder is copied instead of generated again when its
# stamp (written by ./play.sh) matches these generators, or when the
# environment variable TW_INSTALL_DATA names a data folder to copy.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(data "${root}/${TW_DATADIR}/tunewander")
set(icons "${root}/${TW_DATADIR}/icons/hicolor")

set(source "")
if(DEFINED ENV{TW_INSTALL_DATA} AND EXISTS "$ENV{TW_INSTALL_DATA}/prefs.ini")
  set(source "$ENV{TW_INSTALL_DATA}")
elseif(EXISTS "${TW_BUILD_DATA}.stamp" AND EXISTS "${TW_BUILD_DATA}/prefs.ini")
  file(SHA256 "${TW_ASSETGEN}" assetgen_sum)
  file(SHA256 "${TW_DEMOGEN}" demogen_sum)
  file(READ "${TW_BUILD_DATA}.stamp" stamp)
  string(STRIP "${stamp}" stamp)
  if(stamp STREQUAL "${assetgen_sum} ${demogen_sum}")
    set(source "${TW_BUILD_DATA}")
  endif()
endif()

file(REMOVE_RECURSE "${data}")
if(source)
  message(STATUS "Installing the game's data from ${source} to ${data}")
  file(COPY "${source}/" DESTINATION "${data}")
else()
  message(STATUS "Generating the game's data in ${data}")
  execute_process(COMMAND "${TW_ASSETGEN}" "${data}" OUTPUT_QUIET RESULT_VARIABLE failed)
  if(NOT failed)
    execute_process(COMMAND "${TW_DEMOGEN}" "${data}" OUTPUT_QUIET RESULT_VARIABLE failed)
  endif()
  if(failed)
    message(FATAL_ERROR "The game's data could not be generated (the generator's message is above)")
  endif()
endif()

message(STATUS "Installing the icons to ${icons}")
execute_process(COMMAND "${TW_ICONGEN}" "${data}" "${icons}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The desktop icons could not be drawn")
endif()

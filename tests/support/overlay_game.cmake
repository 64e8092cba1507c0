# cmake -DGAME_ASSETS=folder -DOVERLAY=folder -DOUT=folder [-DLEAVE_OUT=a|b] -P overlay_game.cmake
# Makes a test game's asset folder OUT: the game's own built assets without the LEAVE_OUT folders
# (relative to GAME_ASSETS), then the test's own files in OVERLAY over them.
string(REPLACE "|" ";" leave_out "${LEAVE_OUT}")
set(excludes)
foreach(folder ${leave_out})
  list(APPEND excludes REGEX "^${GAME_ASSETS}/${folder}$" EXCLUDE)
endforeach()
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
file(COPY ${GAME_ASSETS}/ DESTINATION ${OUT} ${excludes})
file(COPY ${OVERLAY}/ DESTINATION ${OUT})

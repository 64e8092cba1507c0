# cmake -DGAME_ASSETS=folder -DOVERLAY=folder -DOUT=folder -P overlay_game.cmake
# Makes a test game's asset folder OUT: the game's own built assets with the test's own files in
# OVERLAY over them.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
file(COPY ${GAME_ASSETS}/ DESTINATION ${OUT})
file(COPY ${OVERLAY}/ DESTINATION ${OUT})

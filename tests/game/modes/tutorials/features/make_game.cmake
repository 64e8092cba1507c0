# cmake -DGAME_ASSETS=folder -DOVERLAY=folder -DOUT=folder -P make_game.cmake
# The tutorials' test game OUT: the game's own built assets, its main script kept as
# scripts/game_mainloop.lua, and the test's config.xml and main script (OVERLAY) over them.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
file(COPY ${GAME_ASSETS}/ DESTINATION ${OUT})
file(RENAME ${OUT}/scripts/mainloop.lua ${OUT}/scripts/game_mainloop.lua)
file(COPY ${OVERLAY}/ DESTINATION ${OUT})

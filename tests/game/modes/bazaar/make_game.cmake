# Builds the bazaar scenario's game folder OUT: the game's own assets from ASSETS, the scenario's
# mainloop.lua (SCENARIO) in front of the game's (kept as scripts/game_mainloop.lua), and a first
# second shoes level that costs nothing, so a new player, who has no money yet, can buy it.
file(REMOVE_RECURSE ${OUT})
file(COPY ${ASSETS}/ DESTINATION ${OUT}/assets)
file(RENAME ${OUT}/assets/scripts/mainloop.lua ${OUT}/assets/scripts/game_mainloop.lua)
file(COPY ${SCENARIO} DESTINATION ${OUT}/assets/scripts)
file(READ ${OUT}/assets/config.xml config)
string(REPLACE "<costPerLevel>100,200,350</costPerLevel>" "<costPerLevel>100,0,350</costPerLevel>" free "${config}")
if(free STREQUAL config)
  message(FATAL_ERROR "the shoes' costs are not in config.xml")
endif()
file(WRITE ${OUT}/assets/config.xml "${free}")

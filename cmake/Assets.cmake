# The game's generated assets: pictures and animations rendered from assets/src/, sounds and
# particle effects from the tools that provide them, and the loose files of assets/, all in
# ALEMBRIA_ASSET_DIR, the folder a development run of the game reads. One custom command per
# output, so a build redoes only what changed.
#
# Targets: assets (all of it, built with the game), asset_contact_sheets (review pages of every
# picture and animation), asset_packages (the ".qvp" packages of an installed game).

set(asset_sources ${PROJECT_SOURCE_DIR}/assets/src)

# The tool renders without the leak checker: fontconfig, under librsvg, keeps caches for the life of the
# process, and their stacks are too shallow to suppress by library. Its own code is checked by its tests.
set(assetpipe ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:assetpipe>)
set(asset_outputs)

# Pictures: assets/src/pictures/<name>.svg -> <name>.png
file(GLOB_RECURSE picture_sources CONFIGURE_DEPENDS ${asset_sources}/pictures/*.svg)
foreach(source IN LISTS picture_sources)
  file(RELATIVE_PATH name ${asset_sources}/pictures ${source})
  string(REGEX REPLACE "\\.svg$" ".png" output ${ALEMBRIA_ASSET_DIR}/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${assetpipe} picture ${source} ${output}
    DEPENDS ${source} assetpipe
    COMMENT "Picture ${name}"
    VERBATIM)
  list(APPEND asset_outputs ${output})
endforeach()

# Animations: assets/src/anims/<name>.anim -> <name>.xml + <name>.png (the frame sheet); the
# depfile names the SVG each description draws.
file(GLOB_RECURSE anim_sources CONFIGURE_DEPENDS ${asset_sources}/anims/*.anim)
foreach(source IN LISTS anim_sources)
  file(RELATIVE_PATH name ${asset_sources}/anims ${source})
  string(REGEX REPLACE "\\.anim$" "" stem ${name})
  set(xml ${ALEMBRIA_ASSET_DIR}/${stem}.xml)
  string(MAKE_C_IDENTIFIER ${stem} depname)
  set(depfile ${CMAKE_BINARY_DIR}/assetdeps/${depname}.d)
  add_custom_command(OUTPUT ${xml} ${ALEMBRIA_ASSET_DIR}/${stem}.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/assetdeps
    COMMAND ${assetpipe} anim ${source} ${xml} ${depfile}
    DEPENDS ${source} assetpipe
    DEPFILE ${depfile}
    COMMENT "Animation ${stem}"
    VERBATIM)
  list(APPEND asset_outputs ${xml})
endforeach()

# Loose files: everything under assets/ but the sources, copied as they are.
file(GLOB_RECURSE loose_files CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/assets ${PROJECT_SOURCE_DIR}/assets/*)
list(FILTER loose_files EXCLUDE REGEX "^src/")
foreach(name IN LISTS loose_files)
  set(output ${ALEMBRIA_ASSET_DIR}/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/assets/${name} ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/assets/${name}
    VERBATIM)
  list(APPEND asset_outputs ${output})
endforeach()

add_custom_target(assets ALL DEPENDS ${asset_outputs})

# Sounds and particle effects come from their own tools when those are part of the build.
if(COMMAND alembria_sound_assets)
  alembria_sound_assets(OUT_DIR ${ALEMBRIA_ASSET_DIR} TARGET asset_sounds)
  add_dependencies(assets asset_sounds)
endif()
if(COMMAND alembria_particle_assets)
  alembria_particle_assets(OUT_DIR ${ALEMBRIA_ASSET_DIR} TARGET asset_particles)
  add_dependencies(assets asset_particles)
endif()

# Review pages in ALEMBRIA_CONTACT_DIR: every picture and animation, then larger pages of the
# heroine, each customer, the phoenix and the potions, and each shop with a customer at each of the
# customers' places.
set(ALEMBRIA_CONTACT_DIR ${CMAKE_BINARY_DIR}/contact)
set(contact_subjects tessa witch mage vampire shadow druid medusa 2head fenix potions)
set(customer_places 233,520 154,469 105,390 80,304)
set(contact_commands)
foreach(subject IN LISTS contact_subjects)
  list(APPEND contact_commands COMMAND ${assetpipe} contact ${ALEMBRIA_ASSET_DIR} ${ALEMBRIA_CONTACT_DIR}/${subject} anim/${subject}/)
endforeach()
set(customers witch mage vampire shadow druid medusa 2head)
foreach(shop RANGE 1 8)
  set(sprites)
  foreach(place IN LISTS customer_places)
    list(LENGTH sprites placed)
    math(EXPR pick "(${shop} + ${placed} * 2) % 7")
    list(GET customers ${pick} customer)
    list(APPEND sprites anim/${customer}/${customer}_stand@${place})
  endforeach()
  list(APPEND contact_commands COMMAND ${assetpipe} scene ${ALEMBRIA_ASSET_DIR} ${ALEMBRIA_CONTACT_DIR}/shop_${shop}.png
       backgrounds/shop_${shop}/bg_shop_0${shop} ${sprites})
endforeach()
# The menu screens' pictures with the UI kit, the tutorials' pieces, the bottle game's, the bazaar's and the
# trophy cabinet's art, on pages of their own.
list(APPEND contact_commands COMMAND ${assetpipe} contact ${ALEMBRIA_ASSET_DIR} ${ALEMBRIA_CONTACT_DIR}/screens
     gui/ui/ gui/t1_ fx/titlecard/ anim/cat/ anim/loader)
list(APPEND contact_commands COMMAND ${assetpipe} contact ${ALEMBRIA_ASSET_DIR} ${ALEMBRIA_CONTACT_DIR}/tutorials
     gui/panel_tutorial anim/tutorial_ anim/anim_check effects/stars_stand effects/money_stand effects/fx_fire
     effects/fx_ingredient items/item_money)
list(APPEND contact_commands COMMAND ${assetpipe} contact ${ALEMBRIA_ASSET_DIR} ${ALEMBRIA_CONTACT_DIR}/collapse anim/collapse/ anim/full fx/collapse/)
list(APPEND contact_commands COMMAND ${assetpipe} contact ${ALEMBRIA_ASSET_DIR} ${ALEMBRIA_CONTACT_DIR}/bazaar anim/bazaar/ gui/shop_gui)
list(APPEND contact_commands COMMAND ${assetpipe} contact ${ALEMBRIA_ASSET_DIR} ${ALEMBRIA_CONTACT_DIR}/trophies gui/trophies/)
# The screens' particle effects played by the particle tool, each on a strip of its own (effect, path
# travelled, tint; "mirror" for the effects the game runs upside down).
if(TARGET partool)
  set(played_effects
      "button/mouseMove/mouseMove.par 120,0 mirror" "button/mouseDown/mouseDown.par 0,-60 mirror"
      "panel/panel.par 160,40 mirror" "titlecard/shine.par 0,0 mirror" "titlecard/star.par 100,60 mirror"
      "youwin/youwin01.par 160,0" "youwin/youwin02.par 160,0" "YouLose/YouLose.par 120,0"
      "water/water.par 60,0 mirror" "collapse/snowflake.txt 140,-60 tint 95,174,60,255"
      "collapse/snowflake.txt 140,-60 tint 64,64,255,0")
  foreach(played IN LISTS played_effects)
    separate_arguments(played)
    list(GET played 0 effect)
    list(GET played 1 move)
    set(options --move ${move})
    if("mirror" IN_LIST played)
      list(APPEND options --mirror)
    endif()
    if("tint" IN_LIST played)
      list(GET played 3 tint)
      list(APPEND options --color ${tint})
    endif()
    string(MAKE_C_IDENTIFIER "${effect}${tint}" strip)
    list(APPEND contact_commands COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:partool>
         play ${options} ${ALEMBRIA_ASSET_DIR}/.. assets/fx/${effect} ${ALEMBRIA_CONTACT_DIR}/particles_${strip}.png)
    unset(tint)
  endforeach()
endif()
add_custom_target(asset_contact_sheets
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ALEMBRIA_CONTACT_DIR}
  COMMAND ${assetpipe} contact ${ALEMBRIA_ASSET_DIR} ${ALEMBRIA_CONTACT_DIR}/alembria
  ${contact_commands}
  DEPENDS assets assetpipe
  COMMENT "Contact sheets in ${ALEMBRIA_CONTACT_DIR}"
  VERBATIM)

# The installed game's asset folder: each top folder of the built assets as one package, the
# files at the top loose (settings.xml is read from the disk before packages are mounted).
set(ALEMBRIA_PACKAGE_DIR ${CMAKE_BINARY_DIR}/packaged/assets)
add_custom_target(asset_packages
  COMMAND ${CMAKE_COMMAND} -DQVP=$<TARGET_FILE:qvp> -DASSETS=${ALEMBRIA_ASSET_DIR} -DOUT=${ALEMBRIA_PACKAGE_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/PackAssets.cmake
  DEPENDS assets qvp
  VERBATIM)
install(DIRECTORY ${ALEMBRIA_PACKAGE_DIR}/ DESTINATION assets)
if(TARGET alembria)
  install(TARGETS alembria RUNTIME DESTINATION .)
endif()

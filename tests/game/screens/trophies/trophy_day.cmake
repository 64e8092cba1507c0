# cmake -DASSETS=<built asset folder> -DGAME=<folder> -P trophy_day.cmake
# The short day of the result screens' tests, whose win earns two trophies: Potionpedia for winning
# the first level and Shop of the Month for a single day without a lost customer.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../results/short_day.cmake)
file(READ ${GAME}/assets/config.xml config)
string(REGEX REPLACE "<potionpedia>[^<]*</potionpedia>" "<potionpedia>1</potionpedia>" config "${config}")
string(REGEX REPLACE "<shopMonth>[^<]*</shopMonth>" "<shopMonth>1</shopMonth>" config "${config}")
file(WRITE ${GAME}/assets/config.xml "${config}")

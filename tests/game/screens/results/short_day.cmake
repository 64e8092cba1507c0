# cmake -DASSETS=<built asset folder> -DGAME=<folder> -P short_day.cmake
# A copy of the game's own assets whose first level is a short day without a goal: a day nobody
# plays is won.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${GAME}/assets)
file(COPY ${ASSETS}/ DESTINATION ${GAME}/assets)
file(READ ${GAME}/assets/config.xml config)
string(FIND "${config}" "<level id=\"1\">" first)
string(SUBSTRING "${config}" 0 ${first} before)
string(SUBSTRING "${config}" ${first} -1 levels)
# The first <timeMinutes> and <goal> after it belong to level 1.
function(replace_first text tag value out)
  string(FIND "${text}" "<${tag}>" at)
  string(SUBSTRING "${text}" 0 ${at} head)
  string(SUBSTRING "${text}" ${at} -1 tail)
  string(REGEX REPLACE "^<${tag}>[^<]*</${tag}>" "<${tag}>${value}</${tag}>" tail "${tail}")
  set(${out} "${head}${tail}" PARENT_SCOPE)
endfunction()
replace_first("${levels}" timeMinutes 0.1 levels)
replace_first("${levels}" goal 0 levels)
file(WRITE ${GAME}/assets/config.xml "${before}${levels}")

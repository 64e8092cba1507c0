# The trail of a bottled piece on its way to its bottle: white flakes and soft glints, tinted in the
# piece's colour by the game, left behind along the way for its 700 ms.
effect snowflake.txt

picture flake.png flake 32
picture glow.png glow 16

emitter trailflake
texture flake.png
particles 30
space world
delay 0 700
life 250 450
fade 150 250
start-color 255,255,255,255
end-color 255,255,255,255
start rotation 0,0,0 0,0,360
start scale 8,8,1 13,13,1
velocity position -12,-12,0 12,12,0
velocity rotation 0,0,-180 0,0,180
acceleration scale -14,-14,0 -8,-8,0

emitter trailglow
texture glow.png
particles 14
space world
delay 0 700
life 200 350
fade 150 250
start-color 255,255,255,230
end-color 255,255,255,255
start scale 14,14,1 20,20,1

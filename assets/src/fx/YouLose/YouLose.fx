# A lost day: grey-violet smoke puffs rise slowly from the effect's way, swell and fade, with a few
# dull embers sinking.
effect YouLose.par

picture smoke.png glow 64
picture ember.png glow 8

emitter losesmoke
texture smoke.png
particles 12
space world
respawn 1
delay 0 800
life 900 1300
fade 500 700
start-color 40,36,32,255 30,26,44,255
end-color 14,12,22,255
start scale 24,24,1 34,34,1
velocity position -10,-30,0 10,-16,0
velocity scale 18,18,0 28,28,0

emitter loseember
texture ember.png
particles 10
space world
respawn 1
delay 0 800
life 600 900
fade 300 400
start-color 255,154,46,255
end-color 140,63,34,255
start scale 4,4,1 6,6,1
velocity position -8,10,0 8,30,0

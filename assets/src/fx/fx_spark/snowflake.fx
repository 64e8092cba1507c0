# The spark that carries picked-up money to the counter, and the sparkle that follows the heroine:
# golden flakes left behind along the way, drifting and fading. Mirrored by the shop: "up" is +y.
effect snowflake.txt

picture flake.png flake 32
picture gleam.png glow 16

emitter sparkflake
texture flake.png
particles 36
space world
delay 0 900
life 350 650
fade 200 300
start-color 255,235,150,255 255,255,220,255
end-color 255,160,40,255
start rotation 0,0,0 0,0,360
start scale 10,10,1 16,16,1
start position -4,-4,0 4,4,0
velocity position -18,-10,0 18,22,0
velocity rotation 0,0,-180 0,0,180
acceleration scale -14,-14,0 -8,-8,0

emitter sparkgleam
texture gleam.png
particles 24
space world
delay 0 600
life 250 450
fade 150 250
start-color 255,220,120,200 255,250,200,255
end-color 255,140,30,255
start scale 14,14,1 22,22,1
start position -2,-2,0 2,2,0

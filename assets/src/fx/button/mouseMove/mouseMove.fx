# A rolled-over button: golden glints left behind as the effect arches over the button from side
# to side, rising a little and fading. Mirrored by the button: "up" is +y.
effect mouseMove.par

picture glint.png star 16
picture dot.png glow 8

emitter hoverglint
texture glint.png
particles 14
space world
delay 0 500
life 300 500
fade 150 250
start-color 255,226,122,255 255,244,214,255
end-color 242,182,50,255
start rotation 0,0,0 0,0,360
start scale 7,7,1 11,11,1
velocity position -8,6,0 8,20,0
velocity rotation 0,0,-120 0,0,120

emitter hoverdot
texture dot.png
particles 10
space world
delay 0 500
life 200 400
fade 100 200
start-color 255,244,214,220
end-color 242,182,50,255
start scale 4,4,1 6,6,1
velocity position -6,4,0 6,14,0

# The loader's water: bubbles rise from the effect as it sways through the flask, wobbling and
# growing, and burst into a glint. Mirrored by the loader: "up" is +y.
effect water.par

picture bubble.png ring 32
picture pop.png glow 8

emitter waterbubble
texture bubble.png
particles 24
space world
delay 0 800
life 700 1100
fade 200 300
start-color 127,224,208,220 255,255,255,220
end-color 159,211,255,180
start scale 6,6,1 12,12,1
velocity position -6,30,0 6,60,0
velocity scale 2,2,0 5,5,0

emitter waterpop
texture pop.png
particles 10
space world
delay 200 800
life 200 300
fade 150 200
start-color 255,255,255,255
end-color 127,224,208,255
start scale 4,4,1 7,7,1
velocity position -4,40,0 4,70,0

# Fireworks of a won level: a round burst of glowing sparks that slow down and fall, with a few
# longer-lived twinkles. Each particle lives once. The shop runs the effect upside down (mirrored),
# so "up" is +y here.
effect win.par

picture burst.png glow 16
picture twinkle.png star 32

# Sparks leave the centre in every direction: the pivot moves outwards along x and the rotation
# turns it to a random angle; the position falls under gravity.
emitter winburst
texture burst.png
particles 70
respawn 1
space world
delay 0 60
life 900 1400
fade 400 700
start-color 255,250,210,255 255,255,255,255
end-color 255,120,40,255 255,190,90,255
start rotation 0,0,0 0,0,360
start scale 9,9,1 14,14,1
velocity pivot 150,0,0 260,0,0
acceleration pivot -170,0,0 -130,0,0
acceleration position 0,-140,0 0,-100,0

emitter wintwinkle
texture twinkle.png
particles 18
respawn 1
space world
delay 150 450
life 700 1100
fade 300 500
start-color 255,255,255,255
end-color 200,160,255,255 140,220,255,255
start rotation 0,0,0 0,0,360
start scale 12,12,1 20,20,1
start pivot 20,0,0 70,0,0
velocity pivot 30,0,0 80,0,0
velocity rotation 0,0,-90 0,0,90
acceleration position 0,-60,0

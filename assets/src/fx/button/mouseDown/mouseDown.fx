# A pressed button: a brighter ring of gold and plum sparks runs round the button's edge, each
# spark bursting outwards a little. Mirrored by the button: "up" is +y.
effect mouseDown.par

picture spark.png star 32
picture puff.png glow 16

emitter pressspark
texture spark.png
particles 18
space world
delay 0 500
life 250 450
fade 150 250
start-color 255,243,160,255 255,255,255,255
end-color 255,154,46,255 178,122,201,255
start rotation 0,0,0 0,0,360
start scale 9,9,1 14,14,1
velocity position -24,-24,0 24,24,0
velocity rotation 0,0,-200 0,0,200
acceleration scale -20,-20,0 -12,-12,0

emitter presspuff
texture puff.png
particles 8
space world
delay 0 500
life 200 300
fade 150 200
start-color 178,122,201,200 255,226,122,200
end-color 126,74,158,255
start scale 10,10,1 14,14,1
velocity position -10,-10,0 10,10,0

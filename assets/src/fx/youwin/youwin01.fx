# A won day, first part: golden stars shower from the effect as it sweeps over the panel, tumbling
# down and fading.
effect youwin01.par

picture star.png star 32

emitter winstar
texture star.png
particles 30
space world
delay 0 400
life 700 1100
fade 300 500
start-color 255,226,122,255 255,255,255,255
end-color 242,182,50,255 194,127,22,255
start rotation 0,0,0 0,0,360
start scale 10,10,1 18,18,1
velocity position -40,-60,0 40,-20,0
velocity rotation 0,0,-180 0,0,180
acceleration position 0,120,0 0,160,0

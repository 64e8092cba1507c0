# The title card's shine: a soft, slowly breathing teal and white glow behind the flask. The card
# plays it in place (four copies of one point). Mirrored by the card: "up" is +y.
effect shine.par

picture shine.png glow 64

emitter flaskshine
texture shine.png
particles 4
space local
delay 0 1200
life 1400 1800
fade 700 900
start-color 40,72,66,255 56,60,52,255
end-color 18,58,52,255
start scale 150,110,1 190,140,1
start position -10,-8,0 10,8,0
velocity scale 8,6,0 16,12,0

# Stars around the title card: a star travels round the flask and the name leaving small twinkling
# stars that turn and shrink. Mirrored by the card: "up" is +y.
effect star.par

picture star.png star 32
picture spark.png glow 8

emitter titlestar
texture star.png
particles 16
space world
delay 0 800
life 500 900
fade 300 500
start-color 255,226,122,255 255,255,255,255
end-color 255,244,214,255 242,182,50,255
start rotation 0,0,0 0,0,360
start scale 10,10,1 18,18,1
velocity rotation 0,0,-90 0,0,90
acceleration scale -16,-16,0 -10,-10,0

emitter titlespark
texture spark.png
particles 12
space world
delay 0 800
life 300 500
fade 200 300
start-color 255,255,255,255
end-color 127,224,208,255
start scale 4,4,1 6,6,1
velocity position -10,-4,0 10,12,0

# The heroine calls up an artifact's power: a violet and turquoise swirl travels round her along
# a looping path, leaving glowing motes that rise and fade. Mirrored by the heroine: "up" is +y.
effect invocation.par

picture mote.png glow 16
picture spell.png star 32

emitter invomote
texture mote.png
particles 36
space world
delay 0 400
life 400 800
fade 250 400
start-color 150,80,255,110 200,140,255,160
end-color 60,220,255,140 120,255,230,180
start scale 8,8,1 14,14,1
start position -5,-5,0 5,5,0
velocity position -12,10,0 12,45,0
acceleration scale -10,-10,0

emitter invospell
texture spell.png
particles 12
space world
delay 0 400
life 500 900
fade 300 450
start-color 255,255,255,200
end-color 170,110,255,220
start rotation 0,0,0 0,0,360
start scale 14,14,1 22,22,1
velocity rotation 0,0,120 0,0,240
velocity position -6,20,0 6,40,0

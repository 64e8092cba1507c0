# The border of a sliding panel: a spark runs along the panel's outline leaving golden glints on
# the wood, which twinkle and fade. Mirrored by the panel: "up" is +y.
effect panel.par

picture glint.png star 32
picture glow.png glow 16

emitter borderglint
texture glint.png
particles 40
space world
delay 0 400
life 400 700
fade 250 400
start-color 255,226,122,255 255,255,255,255
end-color 242,182,50,255 194,127,22,255
start rotation 0,0,0 0,0,360
start scale 8,8,1 14,14,1
velocity position -6,-6,0 6,6,0
velocity rotation 0,0,-90 0,0,90
acceleration scale -12,-12,0 -6,-6,0

emitter borderhead
texture glow.png
particles 6
space local
delay 0 300
life 300 400
fade 150 250
start-color 255,243,160,255
end-color 255,154,46,255
start scale 16,16,1 22,22,1

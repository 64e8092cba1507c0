# A won day, second part: sparks in the potions' colours (berry, teal, lemon, plum) burst from the
# effect along its way and drift down like confetti.
effect youwin02.par

picture confetti.png flake 16
picture gleam.png glow 16

emitter winconfetti
texture confetti.png
particles 36
space world
delay 0 600
life 800 1200
fade 300 500
start-color 224,69,106,255 127,224,208,255
end-color 242,220,58,255 178,122,201,255
start rotation 0,0,0 0,0,360
start scale 8,8,1 12,12,1
velocity position -50,-50,0 50,-10,0
velocity rotation 0,0,-240 0,0,240
acceleration position 0,90,0 0,130,0

emitter wingleam
texture gleam.png
particles 12
space world
delay 0 600
life 300 500
fade 200 300
start-color 255,255,255,255
end-color 255,226,122,255
start scale 12,12,1 18,18,1

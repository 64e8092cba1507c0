# Enchanted boots, second upgrade: golden puffs with star-shaped twinkles that hop up from the
# heroine's steps.
effect shoes3.par

picture dust.png glow 16
picture spark.png star 32

emitter shoes3dust
texture dust.png
particles 24
space world
delay 0 450
life 350 600
fade 200 300
start-color 255,220,140,210 255,240,190,255
end-color 255,150,60,255
start scale 6,4,1 11,7,1
start position -10,-2,0 10,2,0
velocity position -10,-16,0 10,-4,0
acceleration scale 16,10,0 22,14,0

emitter shoes3spark
texture spark.png
particles 10
space world
delay 0 600
life 450 750
fade 250 400
start-color 255,255,230,255
end-color 255,200,80,255
start rotation 0,0,0 0,0,360
start scale 9,9,1 14,14,1
start position -12,-4,0 12,0,0
velocity position -20,-70,0 20,-40,0
velocity rotation 0,0,-200 0,0,200
acceleration position 0,120,0

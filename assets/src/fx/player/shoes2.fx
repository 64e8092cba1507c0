# Enchanted boots, first upgrade: small pale-blue puffs at the heroine's feet while she walks,
# left behind on the floor.
effect shoes2.par

picture puff.png glow 16

emitter shoes2puff
texture puff.png
particles 20
space world
delay 0 500
life 350 600
fade 200 300
start-color 190,230,255,255
end-color 80,140,255,255
start scale 8,5,1 12,7,1
start position -10,-2,0 10,2,0
velocity position -8,-14,0 8,-4,0
acceleration scale 14,8,0 20,12,0

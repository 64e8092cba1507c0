MakeDialog{ Button{ name="ok", close=true, x=kCenter, y=kCenter, w=100, h=40 } }

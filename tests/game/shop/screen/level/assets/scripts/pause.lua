-- The pause dialog stands open; each opening is counted.
gPauses = (gPauses or 0) + 1
print("pause", gPauses)
MakeDialog{}

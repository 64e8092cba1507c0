gPauses = gPauses + 1
print("pause", gPauses)
MakeDialog{}

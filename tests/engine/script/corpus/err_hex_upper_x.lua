print(0XFF)

corvanta_fuzz(calc_fuzz calc/CalcFuzz.cpp)

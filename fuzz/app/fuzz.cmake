corvanta_fuzz(cva_fuzz app/CvaFuzz.cpp)

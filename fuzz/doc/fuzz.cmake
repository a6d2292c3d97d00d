corvanta_fuzz(cva_fuzz doc/CvaFuzz.cpp)

corvanta_fuzz(deriv_fuzz deriv/DerivFuzz.cpp)

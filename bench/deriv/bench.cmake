corvanta_bench(deriv_bench deriv/DerivBench.cpp)

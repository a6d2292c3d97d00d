corvanta_bench(calc_bench calc/CalcBench.cpp)

corvanta_bench(linalg_bench GUI linalg/LinalgBench.cpp)

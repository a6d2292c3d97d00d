corvanta_bench(analysis_bench analysis/AnalysisBench.cpp)

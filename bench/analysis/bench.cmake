corvanta_bench(integration_bench analysis/IntegrationBench.cpp)
corvanta_bench(tangent_bench GUI analysis/TangentBench.cpp)
corvanta_bench(analysis_bench analysis/AnalysisBench.cpp)

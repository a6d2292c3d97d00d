corvanta_bench(view_redraw_bench GUI view/RedrawBench.cpp)
corvanta_bench(view_sampler_bench view/SamplerBench.cpp)

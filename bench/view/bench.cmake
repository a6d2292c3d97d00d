corvanta_bench(view_redraw_bench GUI view/RedrawBench.cpp)

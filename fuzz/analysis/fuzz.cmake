corvanta_fuzz(search_fuzz analysis/SearchFuzz.cpp)

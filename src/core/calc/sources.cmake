# calc engine

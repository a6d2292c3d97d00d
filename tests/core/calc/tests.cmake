# calc engine tests

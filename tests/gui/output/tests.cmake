# output window tests

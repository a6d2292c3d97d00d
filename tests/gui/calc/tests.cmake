# calc window tests

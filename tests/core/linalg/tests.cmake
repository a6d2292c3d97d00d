# linalg engine tests

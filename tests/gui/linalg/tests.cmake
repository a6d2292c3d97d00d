# linalg window tests

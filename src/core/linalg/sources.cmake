# linalg engine

# linalg windows

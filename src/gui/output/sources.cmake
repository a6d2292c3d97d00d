# output windows

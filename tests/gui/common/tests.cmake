# The message seam and the command ids are exercised through the windows that use them.

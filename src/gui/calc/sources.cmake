# calc windows

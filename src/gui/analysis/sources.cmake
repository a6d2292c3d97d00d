# analysis windows

# analysis window tests

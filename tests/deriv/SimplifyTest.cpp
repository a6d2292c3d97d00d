// Simplifier rules

#pragma once

class CProgram;

// Value of the program at x; stack holds MaxDepth() + 1 doubles. angleFactor
// multiplies the arguments of the angular functions.
double RunProgram(const CProgram &program, double *stack, double x, double angleFactor);

#pragma once

#include <optional>
#include <string>

// The one reading of a typed number, for every number field of the windows,
// every grid cell and every number on the command line: a plain decimal
// ("2.5", "-1e-3"), or else a constant expression in the function syntax,
// in any case ("pi/2", "sqrt(3)", "-E^2", "2Pi"), its angles in radians
// unless asked otherwise.
// Nothing for other text, for x or a parameter, for a decimal beyond double
// (its "e" must not be read as Euler's number) and for a value that is not
// finite. With degrees, the arguments of the angle functions are in degrees.
std::optional<double> ReadConstantValue(const std::string &text, bool degrees = false);

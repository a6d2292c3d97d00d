#include "app/DocumentSync.h"

#include <gtest/gtest.h>

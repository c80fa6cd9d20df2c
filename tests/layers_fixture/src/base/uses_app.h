// A base file that uses the program above it: the layer check must reject it.
#pragma once

#include "app/top.h"

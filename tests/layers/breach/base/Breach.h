// A base header that reaches up to the window logic: the check must name it.
#pragma once

#include "app/MainWindow.h"
#include "base/Json.h"

#include <string>

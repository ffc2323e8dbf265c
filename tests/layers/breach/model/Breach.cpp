// A core file that uses Qt: the check must name it.
#include "base/Json.h"
#include "model/DocProject.h"
#include "platform/Clock.h"

#include <QString>

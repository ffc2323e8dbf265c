// Includes of the window logic that the check must let pass.
#include "app/MainWindow.h"
#include "base/Json.h"
#include "editor/EditorBridge.h"
#include "model/DocProject.h"
#include "settings/ProjectSettings.h"

#include <gtest/gtest.h>
#include <string>

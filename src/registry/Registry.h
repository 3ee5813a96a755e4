#pragma once
// The registry key classes and their failures.
#include "registry/RegistryExceptions.h"
#include "registry/RegistryValueKinds.h"
#include "registry/SubkeySet.h"
#include "registry/ValueMap.h"

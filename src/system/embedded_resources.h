// The resources generated at build time and linked into the executable.
#pragma once

#include "system/resources.h"

const IResources& EmbeddedResources();

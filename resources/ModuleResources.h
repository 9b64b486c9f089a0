// The module's own resources, compiled from resources/ (string lists, dialogs, icons) at build
// time. The host asks for them through the module's exports; tests hand them out through a host
// function table.
#pragma once

#include "platform/api/Resources.h"

const ResourceModule* zavModuleResources();

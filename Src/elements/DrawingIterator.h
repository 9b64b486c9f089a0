// Include this to walk a Drawing: the iterator's items are elements.
#pragma once

#include "elements/Element.h"
#include "project/Drawing.h"

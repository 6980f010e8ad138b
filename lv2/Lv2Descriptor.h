// The plug-in's LV2 descriptor: the entry points a host calls, over Lv2Plugin.
#pragma once

#include <lv2/core/lv2.h>

const LV2_Descriptor* spatialiserDescriptor();

#include "print/ItemRenderers.h"

#include "print/GuidText.h"
#include "print/StatusText.h"
#include "print/TimeText.h"

constinit const ITEM_RENDERERS ItemRenderers = {
    .Guid = GuidToText,
    .Time = TimeToText,
    .Status = StatusToText,
};

#include "print/ItemRenderers.h"

// No renderer is built in yet.
constinit const ITEM_RENDERERS ItemRenderers = {
    .Guid = nullptr,
    .Time = nullptr,
    .Status = nullptr,
};

// Result codes of the Metasequoia readers.
#pragma once

#include <cstdint>

enum MqoError : std::int32_t {
    MqoErrorNone = 0,
    MqoErrorSyntax = -1,          // malformed chunk line or face row, unreadable sub-chunk or binary block
    MqoErrorEndOfFile = -2,       // the file ends inside a chunk
    MqoErrorNotMetasequoia = -3,  // the first line is not "Metasequoia Document"
    MqoErrorFormat = -4,          // the second line is not an accepted format line
    MqoErrorTooLarge = -5,        // more materials or bones than a scene may hold (scene/SceneLimits.h)
};

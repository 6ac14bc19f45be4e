// The program's version: the version resource and the reports that name it read it from here.
// Plain #defines so that the resource compiler can read this header too.
#pragma once

#define ES_VERSION_NUMBERS      1,0,0,0
#define ES_VERSION_TEXT         "1.0.0.0"

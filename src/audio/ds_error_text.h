#pragma once
#include "platform/dsound.h"

// An English sentence for a sound-buffer result code, for the trace.
const char* DSErrorText(platform::HRESULT result);

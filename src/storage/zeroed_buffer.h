// Moved to core/zeroed_buffer.h; kept so that older includes still build.
#pragma once
#include "core/zeroed_buffer.h"

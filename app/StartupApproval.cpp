#include "app/StartupApproval.h"

bool StartupApproved(const std::vector<uint8_t>& value) { return value.empty() || (value[0] & 1) == 0; }

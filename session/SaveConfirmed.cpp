#include "session/SaveConfirmed.h"

bool SaveConfirmed = false;

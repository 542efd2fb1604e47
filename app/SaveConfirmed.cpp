#include "app/SaveConfirmed.h"

bool SaveConfirmed = false;

#include "ui/SetupApp.h"

// The one application object of Setup.exe.
CSetupApp theApp;

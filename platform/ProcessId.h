#pragma once

// The calling process's number, as the system gives it.
unsigned long CurrentProcessId();

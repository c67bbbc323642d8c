// Every allocation the process makes through operator new, counted: a test
// that links this replaces the global allocator with a counting one.
#pragma once

long allocationCount();
